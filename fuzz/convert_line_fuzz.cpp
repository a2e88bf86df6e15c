// Differential fuzz target: every line goes through ConvertLine with an in-memory window, and what
// the window ends up showing must match the independent reference.
#include "convert/line.h"
#include "fuzz/reference_line.h"
#include "tests/support/fake_form.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Bytes below 0x80 are ASCII characters, so seeds stay readable text; a byte from 0x80 up takes the
// next two bytes as any UTF-16 code unit, lone surrogates and NUL included.
std::u16string decodeLine(const std::uint8_t* data, std::size_t size)
{
    std::u16string line;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] < 0x80) {
            line.push_back(data[i]);
        } else if (i + 2 < size) {
            line.push_back(static_cast<char16_t>(data[i + 1] << 8 | data[i + 2]));
            i += 2;
        }
    }
    return line;
}

void failWhen(bool failed, const char* what)
{
    if (failed) {
        std::fprintf(stderr, "mismatch: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::u16string line = decodeLine(data, size);
    const ExpectedClick expected = expectedClick(line);

    FakeForm form;
    form.setText(Field::Text1, line);
    form.setText(Field::Text2, u"before");
    form.setText(Field::Text3, u"stale");
    ConvertLine(form);

    failWhen(form.text(Field::Text2) != expected.output, "output");
    failWhen(form.shown.size() != expected.errorBoxes, "error box count");
    for (const ShownMessage& message : form.shown)
        failWhen(message.prompt != u"There was an error" || message.title != u"Error" ||
                     message.style != MessageStyle::Critical,
                 "error box content");
    failWhen(form.text(Field::Text3) != (expected.converted > 0 ? u"" : u"stale"), "result field");
    failWhen(form.text(Field::Text1) != line, "input changed");
    return 0;
}
