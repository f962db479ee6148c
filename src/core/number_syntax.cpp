// Decimal number syntax: a single left-to-right scan that remembers the last place where the text
// read so far was a complete number, so whole-text checks and leading numbers share one pass.
#include "core/number_syntax.h"

#include <QVarLengthArray>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>
#include <system_error>

namespace core {
namespace {

enum class State {
    Start,           // leading blanks
    Sign,            // after "+" or "-"
    IntDigits,       // digits before any point; complete
    LonePoint,       // a point with no digit yet
    FracDigits,      // point and at least one digit somewhere; complete
    ExpMark,         // after "E" or "e"
    ExpSign,         // after the exponent's sign
    ExpDigits,       // exponent digits; complete
    TrailingBlanks,  // blanks after a complete number; complete
    Dead,
};

bool isComplete(State st) {
    return st == State::IntDigits || st == State::FracDigits || st == State::ExpDigits ||
           st == State::TrailingBlanks;
}

State next(State st, char16_t c) {
    const bool digit = c >= u'0' && c <= u'9';
    const bool sign = c == u'+' || c == u'-';
    const bool blank = c == u' ';
    const bool point = c == u'.';
    const bool expMark = c == u'e' || c == u'E';
    switch (st) {
        case State::Start:
            return blank   ? State::Start
                   : sign  ? State::Sign
                   : digit ? State::IntDigits
                   : point ? State::LonePoint
                           : State::Dead;
        case State::Sign:
            return digit ? State::IntDigits : point ? State::LonePoint : State::Dead;
        case State::IntDigits:
            return digit     ? State::IntDigits
                   : point   ? State::FracDigits
                   : expMark ? State::ExpMark
                   : blank   ? State::TrailingBlanks
                             : State::Dead;
        case State::LonePoint:
            return digit ? State::FracDigits : State::Dead;
        case State::FracDigits:
            return digit     ? State::FracDigits
                   : expMark ? State::ExpMark
                   : blank   ? State::TrailingBlanks
                             : State::Dead;
        case State::ExpMark:
            return sign ? State::ExpSign : digit ? State::ExpDigits : State::Dead;
        case State::ExpSign:
            return digit ? State::ExpDigits : State::Dead;
        case State::ExpDigits:
            return digit ? State::ExpDigits : blank ? State::TrailingBlanks : State::Dead;
        case State::TrailingBlanks:
            return blank ? State::TrailingBlanks : State::Dead;
        case State::Dead:
            break;
    }
    return State::Dead;
}

struct Scan {
    qsizetype length = 0;       // longest complete leading part, trailing blanks included
    qsizetype digitsBegin = 0;  // first character after the blanks and the sign
    qsizetype digitsEnd = 0;    // end of the complete part without trailing blanks
    bool negative = false;
};

Scan scan(QStringView s) {
    Scan result;
    State st = State::Start;
    bool negative = false;
    qsizetype digitsBegin = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        const State was = st;
        st = next(st, c);
        if (st == State::Dead) {
            break;
        }
        if (was == State::Start && st != State::Start) {
            negative = c == u'-';
            digitsBegin = st == State::Sign ? i + 1 : i;
        }
        if (isComplete(st)) {
            result.length = i + 1;
            if (st != State::TrailingBlanks) {
                result.digitsEnd = i + 1;
            }
        }
    }
    if (result.length > 0) {
        result.digitsBegin = digitsBegin;
        result.negative = negative;
    }
    return result;
}

// from_chars leaves the value alone when it falls outside the double range; decide from the
// decimal magnitude (position of the first significant digit plus the exponent) whether that
// was an overflow or an underflow.
double outOfRangeMagnitude(std::string_view text) {
    long long intDigits = 0;
    long long zerosAfterPoint = 0;
    bool seenPoint = false;
    bool seenSignificant = false;
    std::size_t i = 0;
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        const char c = text[i];
        if (c == '.') {
            seenPoint = true;
        } else if (!seenPoint) {
            if (seenSignificant || c != '0') {
                seenSignificant = true;
                ++intDigits;
            }
        } else if (!seenSignificant) {
            if (c == '0') {
                ++zerosAfterPoint;
            } else {
                seenSignificant = true;
            }
        }
    }
    if (!seenSignificant) {
        return 0.0;
    }
    long long exponent = 0;
    bool negativeExponent = false;
    if (i < text.size()) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        constexpr long long cap = 1'000'000'000'000LL;
        for (; i < text.size(); ++i) {
            exponent = std::min(cap, exponent * 10 + (text[i] - '0'));
        }
    }
    const long long magnitude = (intDigits > 0 ? intDigits - 1 : -(zerosAfterPoint + 1)) +
                                (negativeExponent ? -exponent : exponent);
    return magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

double valueOf(QStringView s, const Scan& sc) {
    const QStringView digits = s.sliced(sc.digitsBegin, sc.digitsEnd - sc.digitsBegin);
    QVarLengthArray<char, 64> latin1(digits.size());
    for (qsizetype i = 0; i < digits.size(); ++i) {
        latin1[i] = static_cast<char>(digits[i].unicode());  // the scan let only ASCII through
    }
    const std::string_view text(latin1.data(), static_cast<std::size_t>(latin1.size()));
    double magnitude = 0.0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude,
                                           std::chars_format::general);
    Q_ASSERT(ec == std::errc::result_out_of_range || ptr == text.data() + text.size());
    if (ec == std::errc::result_out_of_range) {
        magnitude = outOfRangeMagnitude(text);
    }
    return sc.negative ? -magnitude : magnitude;
}

}  // namespace

bool isDecimalNumber(QStringView s) {
    return !s.isEmpty() && scan(s).length == s.size();
}

std::optional<double> decimalValue(QStringView s) {
    const Scan sc = scan(s);
    if (sc.length == 0 || sc.length != s.size()) {
        return std::nullopt;
    }
    return valueOf(s, sc);
}

double leadingNumber(QStringView s) {
    const Scan sc = scan(s);
    return sc.length == 0 ? 0.0 : valueOf(s, sc);
}

}  // namespace core
