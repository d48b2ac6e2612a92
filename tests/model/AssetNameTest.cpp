#include "model/AssetName.h"

#include <gtest/gtest.h>

using namespace hakoniwa;

TEST(AssetName, FilesInTheProjectFolderAreNamedRelativeToIt) {
    EXPECT_EQ(relativeAssetName("/home/a/game/player.png", "/home/a/game"), "player.png");
    EXPECT_EQ(relativeAssetName("/home/a/game/img/../img/p.png", "/home/a/game/"), "img/p.png");
    EXPECT_EQ(relativeAssetName("/home/a/game2/p.png", "/home/a/game"), std::nullopt);
    EXPECT_EQ(relativeAssetName("/home/a/p.png", "/home/a/game"), std::nullopt);
    EXPECT_EQ(relativeAssetName("/home/a/game", "/home/a/game"), std::nullopt);
    EXPECT_EQ(relativeAssetName("p.png", "/home/a/game"), std::nullopt);
    EXPECT_EQ(relativeAssetName("/home/a/game/p.png", ""), std::nullopt);

    EXPECT_EQ(assetCellName("/home/a/game/snd/coin.wav", "/home/a/game"), "snd/coin.wav");
    EXPECT_EQ(assetCellName("/tmp/x.png", "/home/a/game"), "/tmp/x.png");
    EXPECT_EQ(assetCellName("/tmp/x.png", ""), "/tmp/x.png");
}

TEST(AssetName, ImagesAndSoundsAreKnownByTheirExtension) {
    for (const char* name : {"a.png", "B.PNG", "c.bmp", "d.wav", "e.Ogg", "f.mp3", "dir.x/g.png"})
        EXPECT_TRUE(isAssetFileName(name)) << name;
    for (const char* name : {"game.txt", "png", "a.png/x", "noext", "a.jpg.txt"})
        EXPECT_FALSE(isAssetFileName(name)) << name;
    EXPECT_TRUE(isSoundFileName("d.WAV"));
    EXPECT_FALSE(isSoundFileName("a.png"));
}
