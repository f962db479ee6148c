// PageHost: what a page of the main window gets from the window to build its controls on.
#pragma once

#include <QAbstractButton>
#include <functional>

#include "cad/cad_link.h"
#include "core/colors.h"
#include "ui/ui.h"

namespace pagekit {

class PageHost {
public:
    virtual ~PageHost() = default;

    virtual ui::Ui& ui() const = 0;
    virtual cad::CadLink& cadLink() const = 0;
    // The colour number shared by the colour filters of every tab.
    virtual core::ColorRule& colorRule() = 0;

    // Every event handler of a page runs through here: ticks held off, an automation failure the
    // handler leaves unhandled caught, and its last hint shown.
    virtual void handle(const std::function<void()>& handler) = 0;
    void onClick(QAbstractButton* button, std::function<void()> handler) {
        QObject::connect(button, &QAbstractButton::clicked, button,
                         [this, handler = std::move(handler)] { handle(handler); });
    }
};

}  // namespace pagekit
