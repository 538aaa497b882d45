// Playlist files written from arrays and list rows (golden files), appended
// to, emptied and deleted; writes that fail part-way leave the old file.
#include "PlaylistFixture.h"
#include "PlaylistGolden.h"

namespace playlist_test {
namespace {

class PlaylistFiles : public PlaylistTest
{
protected:
    static void GoldenArray(TrackArray& records)
    {
        Fill(records, {
            {"One", "Art & Co", "Alb", "House", "1999", "C:\\m\\one.mp3", "128.50", 200, 17, 3, 1},
            {"", "", "", "", "", "D:\\w\\two.wav"},
        });
        CTrackRecord& one = records[0];
        one.m_FileType = "MP3";
        one.m_Volume = 90;
        one.m_Start = 2;
        one.m_End = 199;
        one.m_Cue1 = 5;
        one.m_Cue1Name = "drop";
        one.m_Cue2 = 9;
        one.m_Cue2Name = "\"out\"";
        // Never written to a playlist.
        one.m_BPM = 128;
        one.m_Played = 1;
        one.m_Bitrate = 320;
        records[1].m_FileType = "WAV";
    }
    void AddRow(const std::vector<std::string>& texts)
    {
        const int row = m_list->InsertItem(m_list->GetItemCount(), texts[0].c_str());
        for (int sub = 1; sub < static_cast<int>(texts.size()); ++sub)
            m_list->SetItemText(row, sub, texts[sub].c_str());
    }
    // Rows as a track list shows them, in a column order of its own.
    void AddGoldenRows()
    {
        AddRow({"One", "Art & Co", "", "Alb", "House", "003:25", "1999", "128.50",
                "C:\\m\\one.Mp3", "44", "3"});
        AddRow({"Two", "B", "", "", "", "", "", "", "D:\\w\\two.ogg", "99", ""});
    }
    std::string AppendedPlaylist(const std::string& name)
    {
        const std::string path = File(name);
        TrackArray one;
        Fill(one, {{"Old", "Artist", "", "", "", "C:\\old.mp3", "", 60}});
        EXPECT_TRUE(VIZU::XML_SavePLFromArray(path.c_str(), &one));
        return path;
    }
};

TEST_F(PlaylistFiles, ArrayIsWrittenByteForByte)
{
    TrackArray records;
    GoldenArray(records);
    const std::string before = Today();
    ASSERT_TRUE(VIZU::XML_SavePLFromArray(File("party").c_str(), &records));
    const std::string written = Bytes(File("party.txl"));
    EXPECT_EQ(WithDate(kFromArray, written, before), written);
    ExpectNoTemporaryFiles();

    // Read back, the written fields come back and the others are 0.
    TrackArray back;
    ASSERT_EQ(2, VIZU::XML_LoadLibToArray(File("party.txl").c_str(), &back));
    EXPECT_EQ(17, back[0].m_Index);
    EXPECT_STREQ("\"out\"", back[0].m_Cue2Name);
    EXPECT_EQ(0, back[0].m_BPM);
    EXPECT_EQ(0, back[0].m_Played);
    EXPECT_EQ(0, back[0].m_Bitrate);
}

TEST_F(PlaylistFiles, ListRowsAreWrittenByteForByteBySubItem)
{
    AddGoldenRows();
    // The display order of the columns does not change what is read.
    int order[11] = {10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
    ListView_SetColumnOrderArray(m_list->GetSafeHwnd(), 11, order);
    const std::string before = Today();
    ASSERT_EQ(2, VIZU::XML_SavePLFromList(File("rows.txl").c_str(), m_list.get()));
    const std::string written = Bytes(File("rows.txl"));
    EXPECT_EQ(WithDate(kFromList, written, before), written);
    EXPECT_EQ(2, m_list->GetItemCount());
}

TEST_F(PlaylistFiles, AListRowsPictureFlagComesFromTheFilesTag)
{
    const std::string mp3 = File("cover.mp3");
    ASSERT_TRUE(tavrix_test::CopyFileTo(tavrix_test::MediaPath("import_latin1.mp3"), mp3));
    static const char kJpeg[] = "\xFF\xD8\xFF\xE0\0\x10JFIF\0\x01 any bytes \0\xFF\xD9";
    ASSERT_TRUE(tavrix_test::WriteFileBytes(File("cover.jpg"), std::string(kJpeg, sizeof kJpeg - 1)));
    ASSERT_TRUE(VIZU::SetID3Picture(mp3.c_str(), File("cover.jpg").c_str(), true));
    AddRow({"With", "", "", "", "", "000:01", "", "", mp3, "", "0"});
    AddRow({"Without", "", "", "", "", "000:01", "", "", File("none.mp3"), "", "0"});
    ASSERT_EQ(2, VIZU::XML_SavePLFromList(File("pics").c_str(), m_list.get()));
    TrackArray back;
    ASSERT_EQ(2, VIZU::XML_LoadLibToArray(File("pics.txl").c_str(), &back));
    EXPECT_EQ(1, back[0].m_HasPicture);
    EXPECT_EQ(0, back[1].m_HasPicture);
    EXPECT_EQ(1, back[0].m_Length);
}

TEST_F(PlaylistFiles, EmptyListsAndArraysWriteAnEmptyPlaylist)
{
    const std::string before = Today();
    ASSERT_EQ(0, VIZU::XML_SavePLFromList(File("a").c_str(), m_list.get()));
    TrackArray none;
    ASSERT_TRUE(VIZU::XML_SavePLFromArray(File("b").c_str(), &none));
    for (const char* name : {"a.txl", "b.txl"}) {
        const std::string written = Bytes(File(name));
        EXPECT_EQ(WithDate(kEmpty, written, before), written) << name;
    }
}

TEST_F(PlaylistFiles, TheExtensionIsAddedOnlyWhenItIsMissingInAnyCase)
{
    TrackArray records;
    GoldenArray(records);
    for (const char* name : {"upper.TXL", "mixed.Txl", "lower.txl"}) {
        ASSERT_TRUE(VIZU::XML_SavePLFromArray(File(name).c_str(), &records)) << name;
        EXPECT_TRUE(Exists(File(name))) << name;
        EXPECT_FALSE(Exists(File(std::string(name) + ".txl"))) << name;
    }
    AddGoldenRows();
    ASSERT_EQ(2, VIZU::XML_SavePLFromList(File("rows.TXL").c_str(), m_list.get()));
    EXPECT_FALSE(Exists(File("rows.TXL.txl")));
    CArray<CString, CString&> files;
    CString wav(tavrix_test::MediaPath("tone440.wav").c_str());
    files.Add(wav);
    ASSERT_TRUE(VIZU::XML_AppendToPlaylist(&files, File("upper.TXL").c_str()));
    EXPECT_FALSE(Exists(File("upper.TXL.txl")));
    TrackArray back;
    EXPECT_EQ(3, VIZU::XML_LoadLibToArray(File("upper.TXL").c_str(), &back));
}

TEST_F(PlaylistFiles, AWriteThatFailsPartWayLeavesTheOldFile)
{
    TrackArray records;
    GoldenArray(records);
    ASSERT_TRUE(VIZU::XML_SavePLFromArray(File("keep.txl").c_str(), &records));
    const std::string old = Bytes(File("keep.txl"));
    TrackArray other;
    Fill(other, {{"New", "Artist", "", "", "", "C:\\new.mp3"}});
    AddGoldenRows();
    CArray<CString, CString&> files;
    CString wav(tavrix_test::MediaPath("tone440.wav").c_str());
    files.Add(wav);

    for (int64_t after : {0, 50, 200}) {
        SetSafeWriteFailAfter(after);
        EXPECT_FALSE(VIZU::XML_SavePLFromArray(File("keep.txl").c_str(), &other)) << after;
        EXPECT_EQ(-1, VIZU::XML_SavePLFromList(File("keep.txl").c_str(), m_list.get())) << after;
        EXPECT_FALSE(VIZU::XML_AppendToPlaylist(&files, File("keep.txl").c_str())) << after;
        if (after < 100) { // an empty playlist is shorter
            EXPECT_FALSE(VIZU::EmptyPlaylist(File("keep.txl").c_str())) << after;
        }
        SetSafeWriteFailAfter(-1);
        EXPECT_EQ(old, Bytes(File("keep.txl"))) << after;
        ExpectNoTemporaryFiles();
    }
}

TEST_F(PlaylistFiles, AppendAddsTheReadableMusicFilesWithTheirLineEnds)
{
    const std::string path = AppendedPlaylist("append.txl");
    const std::string old = Bytes(path);
    const std::string mp3 = File("tagged.mp3");
    ASSERT_TRUE(tavrix_test::CopyFileTo(tavrix_test::MediaPath("import_latin1.mp3"), mp3));
    ASSERT_TRUE(tavrix_test::WriteFileBytes(File("notes.txt"), "just text\r\n"));
    CArray<CString, CString&> files;
    for (const std::string& f : {mp3, File("notes.txt"), tavrix_test::MediaPath("tone440.wav")}) {
        CString name(f.c_str());
        files.Add(name);
    }
    ASSERT_TRUE(VIZU::XML_AppendToPlaylist(&files, File("append").c_str()));

    const std::string text = Bytes(path);
    // The old lines now end in a line feed alone, the new ones in CR LF.
    const size_t added = text.find("<TRK>", text.find("</TRK>"));
    ASSERT_NE(std::string::npos, added);
    const std::string head = text.substr(0, added);
    EXPECT_EQ(std::string::npos, head.find('\r'));
    std::string oldLf = old;
    for (size_t at; (at = oldLf.find("\r\n")) != std::string::npos;)
        oldLf.erase(at, 1);
    oldLf.replace(oldLf.find("Tracks=\"1\""), 10, "Tracks=\"3\"");
    EXPECT_EQ(oldLf.substr(0, oldLf.rfind("</KelvaneMusicLibrary>")), head);
    const std::string tail = text.substr(added);
    EXPECT_EQ("</KelvaneMusicLibrary>\n", tail.substr(tail.size() - 23));
    const std::vector<std::string> lines = tavrix_test::ElementLines(tail.substr(0, tail.size() - 23));
    EXPECT_EQ(20u, lines.size()); // two records of ten lines

    TrackArray back;
    ASSERT_EQ(3, VIZU::XML_LoadLibToArray(path.c_str(), &back));
    EXPECT_STREQ("Old", back[0].m_Title);
    EXPECT_STREQ("Import Title", back[1].m_Title);
    EXPECT_STREQ(mp3.c_str(), back[1].m_FileName);
    EXPECT_EQ(0, back[1].m_Index);
    EXPECT_STREQ(tavrix_test::MediaPath("tone440.wav").c_str(), back[2].m_FileName);
    EXPECT_EQ(3, back[2].m_Length);
    ExpectNoTemporaryFiles();
}

TEST_F(PlaylistFiles, AppendsThatCannotBeDoneLeaveTheFileAsItWas)
{
    const std::string path = AppendedPlaylist("kept.txl");
    const std::string old = Bytes(path);
    CArray<CString, CString&> none;
    EXPECT_FALSE(VIZU::XML_AppendToPlaylist(&none, path.c_str()));
    EXPECT_EQ(old, Bytes(path));

    CArray<CString, CString&> files;
    CString wav(tavrix_test::MediaPath("tone440.wav").c_str());
    files.Add(wav);
    // No playlist there: nothing is created.
    EXPECT_FALSE(VIZU::XML_AppendToPlaylist(&files, File("missing.txl").c_str()));
    EXPECT_FALSE(Exists(File("missing.txl")));
    // A file that is not a playlist is not touched.
    for (const std::string& text : {std::string("<?xml version=\"1.0\"?>\r\n<Other/>\r\n"),
                                    std::string("<KelvaneMusicLibrary Tracks=\"1\">\r\n<TRK>\r\n"),
                                    std::string()}) {
        ASSERT_TRUE(tavrix_test::WriteFileBytes(File("other.txl"), text));
        EXPECT_FALSE(VIZU::XML_AppendToPlaylist(&files, File("other.txl").c_str())) << text;
        EXPECT_EQ(text, Bytes(File("other.txl")));
    }
}

TEST_F(PlaylistFiles, EmptyAndDelete)
{
    TrackArray records;
    GoldenArray(records);
    ASSERT_TRUE(VIZU::XML_SavePLFromArray(File("x.txl").c_str(), &records));
    const std::string before = Today();
    EXPECT_TRUE(VIZU::EmptyPlaylist(File("x.txl").c_str()));
    const std::string written = Bytes(File("x.txl"));
    EXPECT_EQ(WithDate(kEmpty, written, before), written);

    EXPECT_TRUE(VIZU::DeletePlaylist(File("x.txl").c_str()));
    EXPECT_FALSE(Exists(File("x.txl")));
    EXPECT_FALSE(VIZU::DeletePlaylist(File("x.txl").c_str()));
    // The path is used as given: no extension is added.
    ASSERT_TRUE(VIZU::XML_SavePLFromArray(File("y.txl").c_str(), &records));
    EXPECT_FALSE(VIZU::DeletePlaylist(File("y").c_str()));
    EXPECT_TRUE(Exists(File("y.txl")));
}

} // namespace
} // namespace playlist_test
