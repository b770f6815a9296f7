// Building a text piece by piece grows it in place: a loop of appends allocates about as
// often as a loop of additions, never once per pass (a new text at every pass). The time
// of such loops is measured by the benchmarks (bench/run.sh, string building).
// Every global allocation of this test program goes through a counter.
#include <gtest/gtest.h>

#include <string>

#include "allocation_counter.h"
#include "engine_run.h"

namespace {

long AllocationsOf(const std::string& program) {
    vokc::test::Run r(program);
    const long before = Allocations;
    EXPECT_EQ(r.Go(), vokc::StopReason::Finished) << program << r.host.AllMessages();
    return Allocations - before;
}

TEST(StringPrograms, AppendingAllocatesAboutAsOftenAsAdding) {
    constexpr int kPasses = 20000;
    const std::string head =
        "int i, n\nchar s[2]\nmain()\n{\ns = \"\"\nfor (i=1; i<=" + std::to_string(kPasses) +
        "; i++)\n";
    const long sum = AllocationsOf(head + "n = n + i\n}\n");
    for (const char* append : {"strcat(s, \"x\")", "s = s + \"y\"", "strncat(s, \"xyz\", 1)"}) {
        const long appends = AllocationsOf(head + append + "\n}\n");
        EXPECT_LT(appends, sum + kPasses / 100) << append << ": " << appends << " against " << sum;
    }
}

} // namespace
