#pragma once
// A printer whose PDF file, when it prints to one, is created readable by its owner only (0600).
// Qt's PDF writer creates its file by the umask but keeps the mode of a file it overwrites, so
// the file is made here as painting begins: no file is left when nothing gets painted.

#include <QPrinter>

namespace tavrin::platform {

class PrivatePrinter : public QPrinter {
public:
    explicit PrivatePrinter(PrinterMode mode = ScreenResolution) : QPrinter(mode) {}
    QPaintEngine* paintEngine() const override;
};

} // namespace tavrin::platform
