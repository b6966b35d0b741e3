#pragma once
// Showing a dialog modally. Every modal showing goes through one replaceable
// handler: the program runs the dialog's own event loop, tests install a
// handler that works the dialog and answers, so that no test ever waits in
// a modal loop. Also the wait cursor shown while a window is built.

#include <functional>

class QDialog;

// What a modal showing ended with.
enum class TModalResult { None = 0, Ok = 1, Cancel = 2, Abort = 3 };

using TModalHandler = std::function<TModalResult(QDialog&)>;

// Shows the dialog modally and returns how it was closed: Ok when it was
// accepted, else Cancel.
TModalResult ShowModal(QDialog& dialog);

// Installs a handler for its own lifetime and then puts the previous one back.
class TScopedModalHandler {
public:
    explicit TScopedModalHandler(TModalHandler handler);
    ~TScopedModalHandler();
    TScopedModalHandler(const TScopedModalHandler&) = delete;
    TScopedModalHandler& operator=(const TScopedModalHandler&) = delete;

private:
    TModalHandler previous_;
};

// The hourglass for its own lifetime; the normal cursor comes back also when
// something fails.
class TWaitCursor {
public:
    TWaitCursor();
    ~TWaitCursor();
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};
