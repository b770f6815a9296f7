// A colouring pass allocates nothing once its buffers fit the text: every global allocation
// of this test program goes through a counter.
#include "colourpass.h"

#include <gtest/gtest.h>

#include "allocation_counter.h"

using namespace vokc;

// Blocks of eight lines of a program: comments (one over two lines), keywords, a string.
std::string SampleProgram(int blocks) {
    std::string text;
    for (int i = 0; i < blocks; ++i)
        text += "/* essai */\r\nint i;\r\nvoid affiche()\r\n{\r\n  printf(\"%d\", i); // x\r\n"
                "  if (i > 10) break; /* un\r\n  deux */ i++;\r\n}\r\n";
    return text;
}

TEST(ColourPassAllocations, NoneInTheSteadyState) {
    vokc::test::ColourPass pass;
    AddEditorColourRules(pass.rules);
    ColourRule& spans = pass.rules.add();
    spans.setKind(RuleKind::HandlerSpans);
    pass.host.setSpanLimit(8);
    pass.host.setSpanHandler(
        [](ColourRule&, std::string_view, std::span<ColourSpan> a, std::int32_t& n) {
            a[0] = {0, 3, kLime, 0, 0};
            n = 1;
        });
    const std::string longText = SampleProgram(250);
    const std::string shortText = SampleProgram(40);
    pass.snapshot.reserve(longText.size());

    long before = Allocations;
    pass.run(longText);
    const long first = Allocations - before;
    const std::size_t runs = pass.runs().size();

    before = Allocations;
    pass.run(longText);
    const long second = Allocations - before;
    pass.run(shortText, 40);
    pass.run(longText, 0, static_cast<std::int32_t>(longText.size() / 2));
    const long later = Allocations - before;

    EXPECT_GT(first, 0); // the counter sees the buffers grow
    EXPECT_GT(runs, 2000u);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(later, 0);
}
