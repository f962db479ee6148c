// Making a page's controls in code: documented names as objectName, places in twips.
#pragma once

#include <QComboBox>
#include <QRadioButton>
#include <QString>

#include "pagekit/page_host.h"
#include "pagekit/twips.h"

namespace pagekit {

inline QString text(const char16_t* s) {
    return QString::fromUtf16(s);
}

// Control arrays keep their index in the name: "fraContainer(3)".
inline QString indexedName(const char16_t* name, int index) {
    return QStringLiteral("%1(%2)").arg(text(name)).arg(index);
}

template <typename W>
W* control(QWidget* parent, const QString& name, const QRect& place) {
    auto* w = new W(parent);
    w->setObjectName(name);
    w->setGeometry(place);
    return w;
}

template <typename W>
W* captioned(QWidget* parent, const char16_t* name, const char16_t* caption, const QRect& place) {
    W* w = control<W>(parent, text(name), place);
    w->setText(text(caption));
    return w;
}

// An editable, unsorted drop-down list whose entries come from code only.
QComboBox* comboBox(QWidget* parent, const char16_t* name, const QRect& place);

// Filter options whose click fills their box: the colour entries, or the active drawing's
// layers, text styles or linetypes.
void connectColorOption(PageHost& host, QRadioButton* option, QComboBox* box);
void connectLayerOption(PageHost& host, QRadioButton* option, QComboBox* box);
void connectStyleOption(PageHost& host, QRadioButton* option, QComboBox* box);
void connectLinetypeOption(PageHost& host, QRadioButton* option, QComboBox* box);

}  // namespace pagekit
