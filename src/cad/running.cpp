// The in-process registry of running automation objects.
#include "cad/running.h"

#include <QHash>

#include <mutex>
#include <utility>
#include <vector>

namespace cad {

namespace {

// Applications end on any thread (the take-off's embedded drawings on its workers), so every
// access holds the lock. References leave the table under the lock but are let go after it: the
// last one ends an application, whose end revokes it here again.
struct Registry {
    std::mutex mutex;
    QHash<QString, ObjectRef> objects;  // keyed by case-folded ProgID
    PlatformLocator platform;
};

Registry& registry() {
    static Registry r;
    return r;
}

}  // namespace

void registerRunningObject(const QString& progId, ObjectRef application) {
    auto& r = registry();
    ObjectRef replaced;
    const std::lock_guard lock(r.mutex);
    ObjectRef& slot = r.objects[progId.toCaseFolded()];
    replaced = std::exchange(slot, std::move(application));
}

void revokeRunningObject(const QString& progId) {
    auto& r = registry();
    ObjectRef revoked;
    const std::lock_guard lock(r.mutex);
    revoked = r.objects.take(progId.toCaseFolded());
}

void revokeRunningObject(const Object* application) {
    auto& r = registry();
    std::vector<ObjectRef> revoked;
    const std::lock_guard lock(r.mutex);
    for (auto it = r.objects.begin(); it != r.objects.end();) {
        if (it.value().get() == application) {
            revoked.push_back(std::move(it.value()));
            it = r.objects.erase(it);
        } else {
            ++it;
        }
    }
}

void setPlatformLocator(PlatformLocator locator) {
    auto& r = registry();
    const std::lock_guard lock(r.mutex);
    r.platform = std::move(locator);
}

Application GetRunningApplication(const QString& progId) {
    auto& r = registry();
    PlatformLocator platform;
    {
        const std::lock_guard lock(r.mutex);
        if (auto it = r.objects.constFind(progId.toCaseFolded()); it != r.objects.constEnd()) {
            return Application(it.value());
        }
        platform = r.platform;  // called without the lock: it may wait on the system
    }
    if (platform) {
        if (ObjectRef found = platform(progId)) {
            return Application(std::move(found));
        }
    }
    throw Error(QStringLiteral("没有正在运行的 %1").arg(progId));
}

}  // namespace cad
