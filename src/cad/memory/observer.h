// What the host program of the embedded drawing hears about: changes to redraw, and a quit.
#pragma once

namespace cad::memory {

class Document;

class Observer {
public:
    virtual ~Observer() = default;
    // After every change, undo and redo, and when an entity asks to be updated; must stay cheap.
    virtual void drawingChanged(Document& document) = 0;
    // Quit was called through the interface.
    virtual void applicationQuit() = 0;
};

}  // namespace cad::memory
