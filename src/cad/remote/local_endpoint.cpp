// What both sides of the endpoint seam share.
#include <algorithm>

#include "cad/remote/local_endpoint.h"

namespace cad::remote {

bool isPlainName(const QString& name) {
    return !name.isEmpty() && name.size() <= 64 &&
           std::all_of(name.begin(), name.end(), [](QChar c) {
               return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                      (c >= u'0' && c <= u'9') || c == u'.' || c == u'_' || c == u'-';
           });
}

}  // namespace cad::remote
