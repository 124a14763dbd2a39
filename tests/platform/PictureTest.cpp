// The 4:3 picture inside windows of every shape: as large as fits and centred.
#include "platform/Picture.h"

#include <gtest/gtest.h>

namespace veltrane {
namespace {

TEST(PictureTest, FitsTheLargestCentredFourByThreeRectangle) {
    struct TCase {
        int32_t W, H;
        TPictureRect Picture;
    };
    const TCase cases[] = {
        {800, 600, {0, 0, 800, 600}},       // 4:3 fills the window
        {1920, 1080, {240, 0, 1440, 1080}}, // 16:9: bars left and right
        {2560, 1080, {560, 0, 1440, 1080}}, // 21:9
        {1920, 1200, {160, 0, 1600, 1200}}, // 16:10
        {1280, 1024, {0, 32, 1280, 960}},   // 5:4: bars above and below
        {1366, 768, {171, 0, 1024, 768}},   // odd margins: the extra pixel goes right
        {790, 570, {15, 0, 760, 570}},      // a window shrunk by its frame
        {1001, 100, {434, 0, 133, 100}},    // sizes round to the nearest pixel
        {0, 600, {}},                       // no drawing area
        {800, -1, {}},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(FitPicture(c.W, c.H), c.Picture) << c.W << "x" << c.H;
    }
}

} // namespace
} // namespace veltrane
