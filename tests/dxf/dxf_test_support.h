// Shared helpers of the dxf tests: the generated drawings and tag-level comparisons.
#pragma once

#include "dxf/document.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace dxf::test {

// The folder holding the drawings and manifests that make_drawings.py writes; the build
// generates them once, when the script changes.
const QString& drawingsDir();
QStringList drawingNames();  // "r12.dxf", ...
QByteArray fileBytes(const QString& path);
QJsonObject manifestOf(const QString& drawingName);

// Every tag of the document in writing order, as (code, raw value).
std::vector<std::pair<int, QByteArray>> flatTags(const Document& document);

// Reads bytes, writes them back, reads the result again; fails the current test unless both
// readings hold the same tags. Returns the written bytes.
QByteArray expectSameTagsAfterRoundTrip(const QByteArray& bytes, const QString& name);

}  // namespace dxf::test
