// The records of entities the file does not have yet, written from the kinds' member tables.
#pragma once

#include "cad/memory/kinds.h"
#include "dxf/encoding.h"

#include <QByteArray>

#include <span>
#include <utility>
#include <vector>

namespace dxf {

namespace memory = cad::memory;

using Tags = std::vector<std::pair<int, QByteArray>>;

// Where and how a new record is written: in the file's encoding, with handles and subclass
// markers as the file's version has them, owned by the block of the owner handle (R13 and
// later), in paper space or not.
struct RecordPlace {
    const Encoding* encoding = nullptr;
    bool handles = false;
    bool markers = false;
    QByteArray owner;
    bool paper = false;
};

// The record of an entity of the kind with the member values, in slot order.
Tags entityRecord(const memory::KindSpec& kind, std::span<const cad::Value> values, quint64 handle,
                  const RecordPlace& place);

}  // namespace dxf
