#pragma once
#include <optional>
#include <string>

namespace tavrin::cli {

// The diary password: from TAVRIN_PASSWORD, else asked on the terminal without echo.
// Nothing when neither is available.
class PasswordPrompt {
public:
    static std::optional<std::string> ask();
};

} // namespace tavrin::cli
