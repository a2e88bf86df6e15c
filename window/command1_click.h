// What a click of Command1 does, on every front-end.
#pragma once

#include "convert/line.h"
#include "runtime/form.h"
#include "window/form1_behaviour.h"
#include "window/form1_design.h"

#include <exception>
#include <string>

// Converts the input line. An error the conversion does not trap is shown over the window, and then
// the program must end: returns the status to end it with, or 0 to carry on.
[[nodiscard]] inline int clickCommand1(Form& form)
{
    try {
        ConvertLine(form);
        return 0;
    } catch (const std::exception& error) {
        // The runtime's descriptions are plain ASCII.
        const std::string what = error.what();
        form.showMessage(std::u16string(what.begin(), what.end()), MessageStyle::Critical,
                         std::u16string(form1_design::kCaption));
        return form1_behaviour::kUntrappedErrorStatus;
    }
}
