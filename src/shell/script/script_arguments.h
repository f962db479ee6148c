// Splitting a script line into its arguments.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

namespace shell::script {

struct Argument {
    QString text;
    bool quoted = false;  // `input "cancel"` answers the text, `input cancel` cancels

    friend bool operator==(const Argument&, const Argument&) = default;
};

// Arguments are separated by blanks; one in double quotes may hold blanks, \" and \\.
// nullopt when a quote is left open.
std::optional<std::vector<Argument>> splitArguments(QStringView line);

}  // namespace shell::script
