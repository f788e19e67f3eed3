// The worker draws into the screen DC while the UI thread pumps, reads the screen and paints
// the slide onto it, as the saver window does; under ThreadSanitizer this must stay clean.
#include "transition_rig.h"

#include "testing/virtual_clock.h"

using namespace lv::transitions::testing;

TEST(TransitionWorker, DrawsWhileTheUiThreadReadsAndPaintsTheScreen) {
    for (int id : {1, 5, 9, 10, 17, 19, 20}) {
        SCOPED_TRACE(id);
        lv::testing::VirtualClockScope clock;
        TransitionRig rig(96, 64);
        rig.engine.observer = nullptr;
        rig.set(id, 2);
        int polls = 0;
        {
            std::jthread worker = StartTransitionWorker(rig.engine);
            while (rig.engine.busy != 0) {
                GetPixel(rig.screen.dc, polls % 96, polls % 64);
                if (polls % 16 == 0)
                    BitBlt(rig.screen.dc, 0, 0, 96, 64, rig.slide.dc, 0, 0, SRCCOPY);
                ++polls;
            }
        }
        EXPECT_EQ(rig.engine.busy, 0);
        EXPECT_EQ(pixels_not_new(rig.snapshot()), 0);
    }
}
