// The arrangement of the working windows beneath the strip, over screens from small to large and
// window managers with and without decorations: no two frames overlap, every title bar is on the
// screen, and the windows keep their places relative to each other.
#include "main/DeskLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

using namespace numora;

namespace {

enum Slot { Forecast, Viewer, List, Panel, Selector, Smorfia };

std::vector<DeskWindow> ProgramWindows(const DeskFrame& f) {
    std::vector<DeskWindow> w(6);
    w[Forecast] = {0, 0, false, false, 232, 214, 232, 214, f};
    w[Viewer] = {1, 0, false, false, 330, 300, 330, 300, f};
    w[List] = {2, 0, true, true, 420, 420, 150, 120, f};
    w[Panel] = {0, 1, false, false, 240, 180, 240, 180, f};
    w[Selector] = {0, 2, false, false, 200, 90, 200, 90, f};
    w[Smorfia] = {1, 1, true, true, 440, 300, 200, 100, f};
    return w;
}

} // namespace

TEST(DeskLayout, NoOverlapTitlesOnScreenAndThePlacesKept) {
    const DeskFrame none{}, openbox{1, 21, 1, 5}, thick{4, 30, 4, 4};
    struct Case {
        DeskBox screen;
        DeskFrame frame;
    } cases[] = {
        {{0, 0, 1600, 1000}, openbox}, {{0, 0, 1366, 768}, openbox},   {{0, 0, 1366, 768}, thick},
        {{0, 0, 1280, 800}, none},     {{0, 24, 1920, 1056}, openbox}, {{100, 0, 1500, 900}, thick},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.screen.width << "x" << c.screen.height << " top " << c.frame.top);
        const auto windows = ProgramWindows(c.frame);
        const DeskArrangement a = ArrangeDesk(c.screen, 78, c.frame, windows);
        EXPECT_EQ(a.strip, (DeskBox{c.screen.x, c.screen.y, c.screen.width, 78 + c.frame.top + c.frame.bottom}));
        std::vector<DeskBox> all = a.windows;
        all.push_back(a.strip);
        for (std::size_t i = 0; i < all.size(); ++i) {
            const DeskBox title{all[i].x, all[i].y, all[i].width, c.frame.top + 1};
            EXPECT_TRUE(c.screen.contains(title)) << "title bar of window " << i;
            EXPECT_TRUE(c.screen.contains(all[i])) << "window " << i;
            for (std::size_t j = i + 1; j < all.size(); ++j)
                EXPECT_FALSE(all[i].intersects(all[j])) << "windows " << i << " and " << j;
        }
        const auto& w = a.windows;
        EXPECT_EQ(w[Forecast].x, c.screen.x);
        EXPECT_EQ(w[Forecast].y, a.strip.bottom());
        EXPECT_EQ(w[Viewer].x, std::max({w[Forecast].right(), w[Panel].right(), w[Selector].right()}));
        EXPECT_EQ(w[Viewer].y, a.strip.bottom());
        EXPECT_EQ(w[List].x, std::max(w[Viewer].right(), w[Smorfia].right()));
        EXPECT_EQ(w[List].right(), c.screen.right());
        EXPECT_EQ(w[List].bottom(), c.screen.bottom());
        EXPECT_EQ(w[Panel].y, w[Forecast].bottom());
        EXPECT_EQ(w[Selector].y, w[Panel].bottom());
        EXPECT_EQ(w[Smorfia].x, w[Viewer].x);
        EXPECT_EQ(w[Smorfia].y, w[Viewer].bottom());
        EXPECT_EQ(w[Smorfia].bottom(), c.screen.bottom());
        // The windows that do not shrink keep their own size.
        for (Slot s : {Forecast, Viewer, Panel, Selector}) {
            EXPECT_EQ(ClientOf(w[s], c.frame).width, windows[s].width);
            EXPECT_EQ(ClientOf(w[s], c.frame).height, windows[s].height);
        }
    }
}

TEST(DeskLayout, ANarrowScreenShrinksTheSmorfiaForTheListThenTheList) {
    const DeskFrame f{1, 21, 1, 5};
    // 1024: the smorfia gives up width so that the list keeps its own; 800: the smorfia is as narrow as
    // the viewer above it and the list takes what is left.
    for (const auto& [width, smorfia, list] : {std::tuple{1024, 358, 420}, std::tuple{800, 330, 224}}) {
        SCOPED_TRACE(width);
        const DeskArrangement a = ArrangeDesk({0, 0, width, 700}, 60, f, ProgramWindows(f));
        EXPECT_EQ(ClientOf(a.windows[Smorfia], f).width, smorfia);
        EXPECT_EQ(ClientOf(a.windows[List], f).width, list);
        EXPECT_FALSE(a.windows[Smorfia].intersects(a.windows[List]));
    }
}
