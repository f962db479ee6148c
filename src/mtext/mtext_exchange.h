// Exchanging the editor's text with the drawing's multiline texts, and joining picked texts.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

#include "cad/cad_link.h"

namespace mtext {

// txtWidth read as the width of a new multiline text: a positive whole number that single
// precision can hold; nullopt for anything else.
std::optional<float> multilineWidth(QStringView widthText);

// The editor's CR LF line breaks as the paragraph breaks "\P" of multiline text contents, and back.
// A lone CR or LF, and every other formatting code, stays as it is.
QString paragraphBreaks(QString editorText);
QString lineBreaks(QString contents);

// cmdTo: txtWidth and txtEdit as the button reads them.
struct ToDrawingInput {
    QString widthText;
    QString editorText;
};

// Places the editor's text in the drawing as one multiline text at a picked point.
void MTextToDrawing(cad::CadLink& link, const ToDrawingInput& input);

// The editor text followed by CR LF and the contents of every multiline text of model space, each
// ending with CR LF; nullopt when nothing was imported and the editor stays as it is.
std::optional<QString> MTextFromDrawing(cad::CadLink& link, const QString& editorText);

// Joins the picked texts and multiline texts, in the order picked, into one new multiline text
// and empties the picked ones.
void TextsToMText(cad::CadLink& link, const QString& widthText);

}  // namespace mtext
