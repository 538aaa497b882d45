// The players' shared rules that need no window.
#include <gtest/gtest.h>

#include "audio/players/PlayerLogic.h"

TEST(PlayerLogic, SetupDeviceIsOneToSixElseZero)
{
    const int cases[][2] = {{-3, 0}, {0, 0}, {1, 1}, {4, 4}, {6, 6}, {7, 0}, {99, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(c[1], PlayerSetupDevice(c[0])) << c[0];
}

TEST(PlayerLogic, DeviceNamesAndOffers)
{
    EXPECT_EQ("/dev/dsound/0", PlayerStoredDeviceName("/dev/wave/0"));
    EXPECT_EQ("/dev/dsound/dsound", PlayerStoredDeviceName("/dev/wave/wave"));
    EXPECT_EQ("file.raw", PlayerStoredDeviceName("file.raw"));
    EXPECT_EQ("", PlayerStoredDeviceName(nullptr));
    EXPECT_TRUE(PlayerOffersDevice("/dev/dsound/3"));
    EXPECT_FALSE(PlayerOffersDevice("file.raw"));
    EXPECT_FALSE(PlayerOffersDevice("/de"));
}

TEST(PlayerLogic, PositionsAndThePreloadPoint)
{
    EXPECT_EQ(0, PlayerPosition(0, 0, 0));
    EXPECT_EQ(59 * 60 + 59, PlayerPosition(0, 59, 59));
    EXPECT_EQ(3600, PlayerPosition(1, 0, 0));
    EXPECT_EQ(255 * 3600 + 59 * 60 + 59, PlayerPosition(255, 59, 59));
    EXPECT_FALSE(JukeboxReachedPreload(194, 200, 5));
    EXPECT_TRUE(JukeboxReachedPreload(195, 200, 5));
    EXPECT_TRUE(JukeboxReachedPreload(0, 0, 0));
    EXPECT_FALSE(JukeboxReachedPreload(3600, 4000, 5));
    EXPECT_TRUE(JukeboxReachedPreload(0, 2147483647, 2147483647));
    EXPECT_TRUE(JukeboxReachedPreload(0, -2147483647 - 1, 1)); // no wrap below the int range
}
