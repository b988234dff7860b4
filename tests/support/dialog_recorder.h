// Every message dialog shown while it lives, recorded and answered with its
// default button.
#pragma once
#include <string>
#include <vector>

struct ShownDialog {
    std::string message, caption;
};

class DialogRecorder {
public:
    DialogRecorder();
    ~DialogRecorder();
    DialogRecorder(const DialogRecorder&) = delete;
    DialogRecorder& operator=(const DialogRecorder&) = delete;

    std::vector<ShownDialog> shown;
};
