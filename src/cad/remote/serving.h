// What serves an embedded drawing to other programs, whatever carries the calls (a local socket,
// COM): started, asked about, stopped.
#pragma once

#include <optional>

#include "cad/remote/waiting_interaction.h"

namespace cad::remote {

// Lives on one thread with an event loop, the drawing's thread: every call runs there.
class Serving {
public:
    virtual ~Serving() = default;

    // Starts serving; nullopt on success, else why not.
    virtual std::optional<QString> listen() = 0;
    virtual WaitingInteraction& interaction() const = 0;
    // Objects handed out and not yet released, over all clients.
    virtual int heldObjects() const = 0;
    // Stops serving: no more calls taken, the waiting pick ended as a cancel and no later one
    // started, every client cut off. A call under way (a pick's) still has to return through its
    // event loop: the server may be destroyed once isServing() says none is left.
    virtual void shutdown() = 0;
    virtual bool isServing() const = 0;
};

}  // namespace cad::remote
