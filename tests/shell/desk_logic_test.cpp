// What the main window remembers, without a window: recent files, zoom steps, recovery
// file names and contents.
#include <gtest/gtest.h>

#include "desk_logic.h"

using namespace vokc;

TEST(RecentFiles, MostRecentFirstWithoutDuplicatesAtMostEight) {
    std::vector<std::string> list;
    list = AddRecent(list, "/a.c");
    list = AddRecent(list, "/b.c");
    EXPECT_EQ(list, (std::vector<std::string>{"/b.c", "/a.c"}));
    list = AddRecent(list, "/a.c"); // reopened: moves to the front, once
    EXPECT_EQ(list, (std::vector<std::string>{"/a.c", "/b.c"}));
    for (int i = 0; i < 10; ++i)
        list = AddRecent(list, "/f" + std::to_string(i) + ".c");
    ASSERT_EQ(list.size(), kRecentLimit);
    EXPECT_EQ(list.front(), "/f9.c");
    EXPECT_EQ(list.back(), "/f2.c");
    EXPECT_EQ(AddRecent(list, "").size(), kRecentLimit); // nothing to add
    EXPECT_EQ(AddRecent({"/x.c", "/y.c", "/z.c"}, "/y.c", 2),
              (std::vector<std::string>{"/y.c", "/x.c"}));
}

TEST(Zoom, StepsScaleAndStayInRange) {
    EXPECT_EQ(ZoomedSize(17, 0), 17);
    EXPECT_EQ(ZoomedSize(17, 1), 19);
    EXPECT_EQ(ZoomedSize(17, 2), 21);
    EXPECT_EQ(ZoomedSize(17, -1), 15);
    EXPECT_EQ(ZoomedSize(17, 1000), ZoomedSize(17, kZoomMax));
    EXPECT_EQ(ZoomedSize(17, -1000), ZoomedSize(17, kZoomMin));
    EXPECT_GE(ZoomedSize(1, kZoomMin), 6);
    EXPECT_EQ(ClampZoom(kZoomMax + 1), kZoomMax);
    EXPECT_EQ(ClampZoom(kZoomMin - 1), kZoomMin);
    // Each step up is larger than the one before.
    for (int step = kZoomMin; step < kZoomMax; ++step)
        EXPECT_LT(ZoomedSize(17, step), ZoomedSize(17, step + 1)) << step;
}

TEST(Recovery, NamesTellTheirOwner) {
    EXPECT_EQ(RecoveryFileName(4242, 3), "recup-4242-3.txt");
    EXPECT_EQ(RecoveryOwner(RecoveryFileName(4242, 3)), 4242);
    EXPECT_EQ(RecoveryOwner("recup-17-0.txt"), 17);
    for (const char* other : {"recup-.txt", "recup-12.txt", "recup-12-.txt", "recup-x-1.txt",
                              "recup-12-1.txt.bak", "autre-12-1.txt", "recup-0-1.txt",
                              "recup--5-1.txt", "recup-12-1x.txt", "session.lock", ""})
        EXPECT_FALSE(RecoveryOwner(other).has_value()) << other;
}

TEST(Recovery, ContentsRoundTripAndForeignFilesAreRefused) {
    const RecoveredText r{"/home/eleve/essai.c", "VokC - essai.c", "main()\n{\n\u00e9t\u00e9\n}"};
    const auto back = ParseRecovery(FormatRecovery(r));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->path, r.path);
    EXPECT_EQ(back->caption, r.caption);
    EXPECT_EQ(back->text, r.text);
    // A new window has no file; a line break in a caption does not break the header.
    const auto fresh = ParseRecovery(FormatRecovery({"", "VokC -\nC1.C", ""}));
    ASSERT_TRUE(fresh);
    EXPECT_EQ(fresh->path, "");
    EXPECT_EQ(fresh->caption, "VokC - C1.C");
    EXPECT_EQ(fresh->text, "");
    EXPECT_FALSE(ParseRecovery("main()\n{\n}\n"));
    EXPECT_FALSE(ParseRecovery(""));
    const std::string full = FormatRecovery(r);
    EXPECT_FALSE(ParseRecovery(full.substr(0, full.find("VokC - essai"))));
}
