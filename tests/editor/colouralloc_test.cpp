// A colouring pass allocates nothing once its buffers fit the text: every global allocation
// of this test program goes through a counter.
#include "colourpass.h"

#include <gtest/gtest.h>

#include "allocation_counter.h"

using namespace vokc;

// Blocks of eight lines of a program: comments (one over two lines), keywords, a string.
std::string SampleProgram(int Blocks) {
    std::string Text;
    for (int I = 0; I < Blocks; ++I)
        Text += "/* essai */\r\nint i;\r\nvoid affiche()\r\n{\r\n  printf(\"%d\", i); // x\r\n"
                "  if (i > 10) break; /* un\r\n  deux */ i++;\r\n}\r\n";
    return Text;
}

TEST(ColourPassAllocations, NoneInTheSteadyState) {
    vokc::test::ColourPass Pass;
    AddEditorColorRules(Pass.Rules);
    TColorRule& Spans = Pass.Rules.Add();
    Spans.KeyDrawingType = dtEventDraw;
    Pass.Host.SetColorLimMax(8);
    Pass.Host.OnDraw = [](TColorRule&, std::string_view, std::span<TKeyDescr> A, std::int32_t& N) {
        A[0] = {0, 3, clLime, 0, 0};
        N = 1;
    };
    const std::string Long = SampleProgram(250);
    const std::string Short = SampleProgram(40);
    Pass.Snapshot.reserve(Long.size());

    long Before = Allocations;
    Pass.Run(Long);
    const long First = Allocations - Before;
    const std::size_t Runs = Pass.Runs().size();

    Before = Allocations;
    Pass.Run(Long);
    const long Second = Allocations - Before;
    Pass.Run(Short, 40);
    Pass.Run(Long, 0, static_cast<std::int32_t>(Long.size() / 2));
    const long Later = Allocations - Before;

    EXPECT_GT(First, 0); // the counter sees the buffers grow
    EXPECT_GT(Runs, 2000u);
    EXPECT_EQ(Second, 0);
    EXPECT_EQ(Later, 0);
}
