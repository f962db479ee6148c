// Tab 7's page: builds the controls, runs the search into the lists and hands a conversion its
// two texts and the entries of their lists.
#include "properties/property_page.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "pagekit/controls.h"
#include "properties/conversion_entries.h"
#include "properties/property_convert.h"
#include "properties/property_search.h"

namespace properties {

namespace {

using pagekit::captioned;
using pagekit::twipsRect;
using Conversion = void (*)(cad::CadLink&, const ConversionInput&);

struct ConversionGroup {
    const char16_t* name;
    const char16_t* caption;
    QRect place;
    const char16_t* sourceLabel;
    const char16_t* sourceCaption;
    const char16_t* sourceBox;
    const char16_t* targetLabel;
    const char16_t* targetCaption;
    const char16_t* targetBox;
    const char16_t* allButton;
    const char16_t* partButton;
    Property property;
    Conversion all;
    Conversion part;
};

const ConversionGroup kGroups[] = {
    {u"fraStyle", u"文字类型", twipsRect(120, 840, 3240, 1920), u"LabStyle1", u"原文字类型：",
     u"ComStyle1", u"LabStyle2", u"目标字型：", u"ComStyle2", u"CmdStyleALL", u"CmdStylePart",
     Property::TextStyle, StyleConvertAll, StyleConvertPart},
    {u"fraLayer", u"层名", twipsRect(3540, 840, 3240, 1920), u"LabLayer1", u"对象原层名：",
     u"ComLayer1", u"LabLayer2", u"目标层名：", u"ComLayer2", u"CmdLayerAll", u"CmdLayerPart",
     Property::Layer, LayerConvertAll, LayerConvertPart},
    {u"frmColor", u"颜色", twipsRect(120, 2880, 3240, 1920), u"LabColor1", u"对象原颜色：",
     u"ComColor1", u"LabColor2", u"目标颜色：", u"ComColor2", u"CmdColorAll", u"CmdColorPart",
     Property::Color, ColorConvertAll, ColorConvertPart},
    {u"frmType", u"线形", twipsRect(3540, 2880, 3240, 1920), u"LabType1", u"对象原线形：",
     u"ComType1", u"LabType2", u"目标线形：", u"ComType2", u"CmdTypeAll", u"CmdTypePart",
     Property::Linetype, TypeConvertAll, TypeConvertPart},
};

struct ListPair {
    QComboBox* source;
    QComboBox* target;
};

QStringList entries(const QComboBox& box) {
    QStringList texts;
    texts.reserve(box.count());
    for (int i = 0; i < box.count(); ++i) {
        texts.append(box.itemText(i));
    }
    return texts;
}

void fill(QComboBox* box, const QStringList& entries) {
    box->clear();
    box->addItems(entries);
    box->setCurrentIndex(entries.isEmpty() ? -1 : 0);
}

void fill(const ListPair& lists, const QStringList& source, const QStringList& target) {
    fill(lists.source, source);
    fill(lists.target, target);
}

// What both buttons of a group do: the conversion runs only on texts that are list entries.
void convertListed(pagekit::PageHost& host, const ConversionGroup& group, const ListPair& lists,
                   Conversion conversion) {
    const ConversionInput input{lists.source->currentText(), lists.target->currentText()};
    const QString refusal =
        entryRefusal(group.property, {entries(*lists.source), entries(*lists.target)}, input);
    if (!refusal.isEmpty()) {
        host.ui().showHint(refusal);
        return;
    }
    conversion(host.cadLink(), input);
}

ListPair buildGroup(QWidget* frame, pagekit::PageHost& host, const ConversionGroup& group) {
    auto* groupBox =
        pagekit::control<QGroupBox>(frame, QString::fromUtf16(group.name), group.place);
    groupBox->setTitle(QString::fromUtf16(group.caption));
    captioned<QLabel>(groupBox, group.sourceLabel, group.sourceCaption,
                      twipsRect(120, 420, 1140, 255));
    captioned<QLabel>(groupBox, group.targetLabel, group.targetCaption,
                      twipsRect(120, 900, 1140, 255));
    const ListPair lists{
        pagekit::comboBox(groupBox, group.sourceBox, twipsRect(1260, 375, 1890, 315)),
        pagekit::comboBox(groupBox, group.targetBox, twipsRect(1260, 855, 1890, 315))};
    auto* all = captioned<QPushButton>(groupBox, group.allButton, u"全域修改",
                                       twipsRect(240, 1380, 1215, 375));
    auto* part = captioned<QPushButton>(groupBox, group.partButton, u"选择修改",
                                        twipsRect(1800, 1380, 1215, 375));
    host.onClick(all, [&host, &group, lists] { convertListed(host, group, lists, group.all); });
    host.onClick(part, [&host, &group, lists] { convertListed(host, group, lists, group.part); });
    return lists;
}

// The four searches run one after the other, each through the window's handler guard, so a
// CAD failure in one ends that one only and leaves its lists as they were.
void searchProperties(pagekit::PageHost& host, const ListPair& styles, const ListPair& layers,
                      const ListPair& colors, const ListPair& linetypes) {
    cad::CadLink& link = host.cadLink();
    host.handle([&] {
        if (const auto names = SearchTextStyles(link)) {
            fill(styles, *names, *names);
        }
    });
    host.handle([&] {
        if (const auto lists = SearchColors(link)) {
            fill(colors, lists->source, lists->target);
        }
    });
    host.handle([&] {
        if (const auto names = SearchLayers(link)) {
            fill(layers, *names, *names);
        }
    });
    host.handle([&] {
        if (const auto names = SearchLinetypes(link)) {
            fill(linetypes, *names, *names);
        }
    });
}

}  // namespace

void buildPropertyPage(QWidget* frame, pagekit::PageHost& host) {
    auto* search = captioned<QPushButton>(frame, u"cmdProperty", u"搜索层名、类型、线形、颜色",
                                          twipsRect(1680, 240, 3540, 420));
    const ListPair styles = buildGroup(frame, host, kGroups[0]);
    const ListPair layers = buildGroup(frame, host, kGroups[1]);
    const ListPair colors = buildGroup(frame, host, kGroups[2]);
    const ListPair linetypes = buildGroup(frame, host, kGroups[3]);
    QObject::connect(search, &QAbstractButton::clicked, search,
                     [=, &host] { searchProperties(host, styles, layers, colors, linetypes); });
}

}  // namespace properties
