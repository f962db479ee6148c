// CadLink: the attached CAD application, the shared references, the guard and the selection.
#pragma once

#include "cad/automation.h"
#include "ui/ui.h"

namespace cad {

// What an operation walks: the whole model space ("全域修改", "全域统计") or the objects the user
// picks in the CAD window ("选择修改", "选择统计").
enum class Scope { ModelSpace, Selection };

class CadLink {
public:
    explicit CadLink(ui::Ui& ui, QString progId = QString::fromUtf16(u"AutoCAD.Application"));

    // Start-up attach: takes the running application or leaves objAcad empty with a hint.
    void AttachCad();
    // The timer's tick: attaches when unattached, checks that the application still answers
    // when attached. Held off while an operation runs.
    void tick();
    // Empties every shared reference; never fails and never closes anything in the CAD.
    void ReleaseCadObjects();
    // The guard of every drawing operation; on false it has written its message. A CAD busy
    // beyond the wait throws CadBusy, which fails the operation as a CAD call.
    bool CheckCadReady();
    // Makes the selection set "SelPart" and lets the user fill it in the CAD window. A set of
    // that name left behind by an earlier run is deleted first.
    SelectionSet PickSelection();
    // Deletes objSelSet if there is one; failures are ignored (the CAD may be gone).
    void DeleteSelection();

    bool isAttached() const { return !objAcad.isEmpty(); }
    ui::Ui& ui() const { return m_ui; }

    // Marks an operation in progress: ticks do nothing until the last one ends, so a tick can
    // never empty references an operation is using (as inside a pick that runs an event loop).
    class Busy {
    public:
        explicit Busy(CadLink& link) : m_link(link) { ++m_link.m_busy; }
        ~Busy() { --m_link.m_busy; }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

    private:
        CadLink& m_link;
    };

    // Deletes the operation's selection set on every way out of the scope.
    class SelectionGuard {
    public:
        explicit SelectionGuard(CadLink& link) : m_link(link) {}
        ~SelectionGuard() { m_link.DeleteSelection(); }
        SelectionGuard(const SelectionGuard&) = delete;
        SelectionGuard& operator=(const SelectionGuard&) = delete;

    private:
        CadLink& m_link;
    };

    // The attached application, the only reference kept from one operation to the next.
    Application objAcad;
    // The active document's utility and linetypes, taken by the symbol insertion for the
    // drawing procedures it runs.
    Utility objUtility;
    Linetypes objLinetypes;
    // The operation's selection set "SelPart" while it exists.
    SelectionSet objSelSet;

private:
    bool tryAttach();

    ui::Ui& m_ui;
    QString m_progId;
    int m_busy = 0;
};

}  // namespace cad
