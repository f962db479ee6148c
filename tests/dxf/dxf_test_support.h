// Shared helpers of the dxf tests: the generated drawings and tag-level comparisons.
#pragma once

#include "dxf/document.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <string>
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

// What ezdxf reads from the file, as read_with_ezdxf.py prints it.
QJsonObject readWithEzdxf(const QString& path);
// Points along ezdxf's curve of a spline {"fit": [[x, y, z], ...], "tangents": null or
// [start, end]}, as cad_spline_points.py prints them.
QJsonArray cadSplinePoints(const QJsonObject& spline);

using Tags = std::vector<std::pair<int, QByteArray>>;

// Tags as "code=value" lines, so that a failure shows them legibly.
std::string lines(const Tags& tags);

// The tags of the first record of the type whose handle or name is key, or none.
Tags recordTags(const Document& file, QByteArrayView type, QByteArrayView key);

}  // namespace dxf::test
