// M3U export bytes and the import of absolute, relative, missing,
// non-music and comment entries; the waiting window is hidden on every
// way out, and a failed import leaves the playlist as it was.
#include "PlaylistFixture.h"

#include "library/state/LibraryState.h"
#include "library/state/Waiting.h"

namespace playlist_test {
namespace {

class M3uFiles : public PlaylistTest
{
protected:
    bool WaitingShown() const
    {
        Waiting* waiting = LibraryWaitingWindow();
        return waiting && waiting->GetSafeHwnd() && IsWindowVisible(waiting->GetSafeHwnd());
    }
    std::string Music(const std::string& name, const char* media)
    {
        const std::string path = File(name);
        EXPECT_TRUE(tavrix_test::CopyFileTo(tavrix_test::MediaPath(media), path)) << path;
        return path;
    }
};

TEST_F(M3uFiles, ExportWritesExtendedM3uBesideThePlaylist)
{
    TrackArray records;
    Fill(records, {{"T", "A", "", "", "", "C:\\m\\a.mp3", "", 205},
                   {"No artist", "", "", "", "", "D:\\x y\\b.wav", "", 0}});
    ASSERT_TRUE(VIZU::XML_SavePLFromArray(File("party").c_str(), &records));
    EXPECT_EQ(2, VIZU::XML_SavePLToM3U(File("party").c_str()));
    EXPECT_EQ("#EXTM3U\r\n#EXTINF:205,A - T\r\nC:\\m\\a.mp3\r\n"
              "#EXTINF:0, - No artist\r\nD:\\x y\\b.wav\r\n",
              Bytes(File("party.m3u")));
    // With the extension given, the M3U file is named after all of it.
    EXPECT_EQ(2, VIZU::XML_SavePLToM3U(File("party.txl").c_str()));
    EXPECT_EQ(Bytes(File("party.m3u")), Bytes(File("party.txl.m3u")));
    ExpectNoTemporaryFiles();
}

TEST_F(M3uFiles, ExportOfAMissingOrForeignPlaylist)
{
    EXPECT_EQ(-1, VIZU::XML_SavePLToM3U(File("gone").c_str()));
    ASSERT_EQ(1u, m_answerer.texts.size());
    EXPECT_EQ("[I/O ERROR] Unable to open file\n" + File("gone.txl"), m_answerer.texts[0]);
    EXPECT_FALSE(Exists(File("gone.m3u")));

    ASSERT_TRUE(tavrix_test::WriteFileBytes(File("other.txl"), "<?xml version=\"1.0\"?>\r\n<Other/>\r\n"));
    EXPECT_EQ(0, VIZU::XML_SavePLToM3U(File("other").c_str()));
    EXPECT_EQ("#EXTM3U\r\n", Bytes(File("other.m3u")));
}

TEST_F(M3uFiles, ImportReadsTheMusicEntriesThatHaveTags)
{
    const std::string absolute = Music("abs.mp3", "import_latin1.mp3");
    ASSERT_TRUE(CreateDirectoryA(File("Tunes").c_str(), nullptr));
    const std::string relative = Music("Tunes\\b.MP3", "import_plain.mp3");
    const std::string wav = Music("w.wav", "tone440.wav");
    ASSERT_TRUE(tavrix_test::WriteFileBytes(File("song.ogg"), "OggS"));
    ASSERT_TRUE(tavrix_test::WriteFileBytes(File("notes.txt"), "x"));
    const std::string m3u =
        "\xEF\xBB\xBF#EXTM3U\r\n"
        "#EXTINF:1,Import Artist - Import Title\r\n" + absolute + "\r\n"
        "#" + absolute + "\n"
        "Tunes\\b.MP3\n"
        "missing.mp3\r\n"
        "song.ogg\r\n"
        "notes.txt\r\n"
        "w.wav \r\n"
        "\r\n"
        "w.wav\r\n"
        "abs.mp3";
    ASSERT_TRUE(tavrix_test::WriteFileBytes(File("list.m3u"), m3u));

    EXPECT_EQ(4, VIZU::XML_CreatePlaylistFromM3U(File("list.m3u").c_str(), File("new.txl").c_str()));
    EXPECT_FALSE(WaitingShown());
    TrackArray back;
    ASSERT_EQ(4, VIZU::XML_LoadLibToArray(File("new.txl").c_str(), &back));
    EXPECT_STREQ(absolute.c_str(), back[0].m_FileName);
    EXPECT_STREQ("Import Title", back[0].m_Title);
    EXPECT_STREQ(relative.c_str(), back[1].m_FileName);
    EXPECT_STREQ(wav.c_str(), back[2].m_FileName);
    EXPECT_STREQ(absolute.c_str(), back[3].m_FileName);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(0, back[i].m_Index);
    const std::string text = Bytes(File("new.txl"));
    EXPECT_NE(std::string::npos, text.find("Tracks=\"4\""));
    tavrix_test::ElementLines(text);

    // A second import replaces the first.
    ASSERT_TRUE(tavrix_test::WriteFileBytes(File("list.m3u"), "w.wav\n"));
    EXPECT_EQ(1, VIZU::XML_CreatePlaylistFromM3U(File("list.m3u").c_str(), File("new.txl").c_str()));
    EXPECT_EQ(1, VIZU::XML_LoadLibToArray(File("new.txl").c_str(), &back));
    ExpectNoTemporaryFiles();
}

TEST_F(M3uFiles, AnM3uWithoutMusicGivesAnEmptyPlaylist)
{
    ASSERT_TRUE(tavrix_test::WriteFileBytes(File("none.m3u"), "#EXTM3U\nmissing.mp3\nx.ogg\n"));
    EXPECT_EQ(0, VIZU::XML_CreatePlaylistFromM3U(File("none.m3u").c_str(), File("p.txl").c_str()));
    TrackArray back;
    EXPECT_EQ(0, VIZU::XML_LoadLibToArray(File("p.txl").c_str(), &back));
    EXPECT_NE(std::string::npos, Bytes(File("p.txl")).find("Tracks=\"0\"/>"));
}

TEST_F(M3uFiles, FailedImportsLeaveThePlaylistAndHideTheWaitingWindow)
{
    TrackArray records;
    Fill(records, {{"Old", "A", "", "", "", "C:\\old.mp3"}});
    ASSERT_TRUE(VIZU::XML_SavePLFromArray(File("keep.txl").c_str(), &records));
    const std::string old = Bytes(File("keep.txl"));
    Music("w.wav", "tone440.wav");

    // The M3U file is missing: a message, and nothing created.
    EXPECT_EQ(-1, VIZU::XML_CreatePlaylistFromM3U(File("gone.m3u").c_str(), File("made.txl").c_str()));
    ASSERT_EQ(1u, m_answerer.texts.size());
    EXPECT_EQ("[I/O ERROR] Unable to open file\n" + File("gone.m3u"), m_answerer.texts[0]);
    EXPECT_FALSE(Exists(File("made.txl")));
    EXPECT_FALSE(WaitingShown());

    // The M3U file cannot be read (another program holds it).
    ASSERT_TRUE(tavrix_test::WriteFileBytes(File("held.m3u"), "w.wav\n"));
    HANDLE held = CreateFileA(File("held.m3u").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_EQ(-1, VIZU::XML_CreatePlaylistFromM3U(File("held.m3u").c_str(), File("keep.txl").c_str()));
    CloseHandle(held);
    EXPECT_EQ(old, Bytes(File("keep.txl")));
    EXPECT_FALSE(WaitingShown());

    // The playlist cannot be written.
    for (int64_t after : {0, 100}) {
        SetSafeWriteFailAfter(after);
        EXPECT_EQ(-1, VIZU::XML_CreatePlaylistFromM3U(File("held.m3u").c_str(), File("keep.txl").c_str()));
        SetSafeWriteFailAfter(-1);
        EXPECT_EQ(old, Bytes(File("keep.txl"))) << after;
        EXPECT_FALSE(WaitingShown());
    }
    ExpectNoTemporaryFiles();
    EXPECT_EQ(1, VIZU::XML_CreatePlaylistFromM3U(File("held.m3u").c_str(), File("keep.txl").c_str()));
}

} // namespace
} // namespace playlist_test
