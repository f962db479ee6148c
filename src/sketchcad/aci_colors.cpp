// The ACI table: nine basic colours, 24 hues in five shades each with a pale variant, six greys.
#include "sketchcad/aci_colors.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace sketchcad {

namespace {

constexpr quint32 rgb(int r, int g, int b) {
    return (quint32(r) << 16) | (quint32(g) << 8) | quint32(b);
}

// One hue every 15 degrees, red first; each component as a fraction of the brightest one.
std::array<double, 3> hueFractions(int hueIndex) {
    const double h = hueIndex * 15.0 / 60.0;  // sextant position
    const int sextant = int(h);
    const double f = h - sextant;
    switch (sextant) {
        case 0:
            return {1, f, 0};
        case 1:
            return {1 - f, 1, 0};
        case 2:
            return {0, 1, f};
        case 3:
            return {0, 1 - f, 1};
        case 4:
            return {f, 0, 1};
        default:
            return {1, 0, 1 - f};
    }
}

std::array<quint32, 256> makeTable() {
    std::array<quint32, 256> t{};
    const quint32 basic[10] = {rgb(0, 0, 0),      rgb(255, 0, 0),     rgb(255, 255, 0),
                               rgb(0, 255, 0),    rgb(0, 255, 255),   rgb(0, 0, 255),
                               rgb(255, 0, 255),  rgb(255, 255, 255), rgb(128, 128, 128),
                               rgb(192, 192, 192)};
    for (int i = 0; i < 10; ++i) {
        t[i] = basic[i];
    }
    const int shades[5] = {255, 204, 153, 127, 76};
    for (int i = 10; i < 250; ++i) {
        const auto c = hueFractions((i - 10) / 10);
        const int variant = (i - 10) % 10;
        const double value = shades[variant / 2];
        const bool pale = variant % 2 == 1;  // half saturation
        int comp[3];
        for (int k = 0; k < 3; ++k) {
            const double fraction = pale ? 0.5 + 0.5 * c[k] : c[k];
            comp[k] = int(std::floor(value * fraction));
        }
        t[i] = rgb(comp[0], comp[1], comp[2]);
    }
    const int greys[6] = {51, 80, 105, 130, 190, 255};
    for (int i = 0; i < 6; ++i) {
        t[250 + i] = rgb(greys[i], greys[i], greys[i]);
    }
    return t;
}

}  // namespace

quint32 aciRgb(int index) {
    static const std::array<quint32, 256> table = makeTable();
    if (index < 1 || index > 255) {
        return rgb(255, 255, 255);
    }
    return table[index];
}

int resolveColor(int entityColor, int layerColor, int blockColor) {
    int c = entityColor;
    if (c == kByLayer) {
        c = std::abs(layerColor);  // a negative layer colour marks a layer that is off
    } else if (c == kByBlock) {
        c = blockColor;
    }
    if (c == kByBlock || c == kByLayer) {
        return 7;
    }
    return c;
}

}  // namespace sketchcad
