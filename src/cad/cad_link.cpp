// CadLink: attach, watch, guard and select.
#include "cad/cad_link.h"

#include "cad/busy_wait.h"
#include "cad/running.h"

namespace cad {

namespace {
const QString kSelectionName = QStringLiteral("SelPart");
}

CadLink::CadLink(ui::Ui& ui, QString progId) : m_ui(ui), m_progId(std::move(progId)) {}

bool CadLink::tryAttach() {
    try {
        objAcad = GetRunningApplication(m_progId);
        return true;
    } catch (const Error&) {
        objAcad.reset();
        return false;
    }
}

void CadLink::AttachCad() {
    if (!tryAttach()) {
        m_ui.showHint(QStringLiteral("提示：服务器AutoCAD没有打开"));
    }
}

void CadLink::tick() {
    if (m_busy > 0) {
        return;
    }
    if (objAcad.isEmpty()) {
        if (tryAttach()) {
            m_ui.showHint(QStringLiteral("提示：服务器AutoCAD已经打开"));
        }
        return;
    }
    try {
        // A CAD in a command or a dialog refuses the call: it is there, and the tick goes on
        // at once rather than hold the window until the CAD is free.
        const NoBusyWait quick;
        objAcad.Version();
    } catch (const CadBusy&) {
    } catch (const Error&) {
        m_ui.showHint(QStringLiteral("提示：服务器AutoCAD已经退出"));
        ReleaseCadObjects();
    }
}

void CadLink::ReleaseCadObjects() {
    objAcad.reset();
    objUtility.reset();
    objLinetypes.reset();
    objSelSet.reset();
}

bool CadLink::CheckCadReady() {
    if (objAcad.isEmpty()) {
        m_ui.showHint(QStringLiteral("提示：服务器AutoCAD没有打开"));
        return false;
    }
    int documents = 0;
    try {
        documents = objAcad.Documents().Count();
    } catch (const CadBusy&) {
        throw;  // there, but busy beyond the wait: the operation fails as a CAD call
    } catch (const Error&) {
        // The application died since the last tick: say so now rather than let the operation
        // fail on its first call.
        m_ui.showHint(QStringLiteral("提示：服务器AutoCAD已经退出"));
        ReleaseCadObjects();
        return false;
    }
    if (documents == 0) {
        m_ui.showHint(QStringLiteral("提示：服务器AutoCAD已经关闭所有文档"));
        return false;
    }
    return true;
}

SelectionSet CadLink::PickSelection() {
    SelectionSets sets = objAcad.ActiveDocument().SelectionSets();
    for (int i = sets.Count() - 1; i >= 0; --i) {
        SelectionSet leftover = sets.Item(i);
        if (leftover.Name().compare(kSelectionName, Qt::CaseInsensitive) == 0) {
            leftover.Delete();
        }
    }
    objSelSet = sets.Add(kSelectionName);
    m_ui.showHint(QStringLiteral("提示：切换至AutoCAD界面，按命令行提示执行"));
    objSelSet.SelectOnScreen();
    return objSelSet;
}

void CadLink::DeleteSelection() {
    if (objSelSet.isEmpty()) {
        return;
    }
    try {
        objSelSet.Delete();
    } catch (const Error&) {
        // Gone with the CAD or its document; nothing is left to delete.
    }
    objSelSet.reset();
}

}  // namespace cad
