// What both sides of the code page seam share: copies with converters of their own.
#include "core/code_page.h"

namespace core {

CodePage::CodePage(const CodePage& other) : CodePage(*named(other.m_name)) {}

CodePage& CodePage::operator=(const CodePage& other) {
    if (this != &other) {
        *this = *named(other.m_name);
    }
    return *this;
}

}  // namespace core
