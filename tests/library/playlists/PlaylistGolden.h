// The playlist files the writers must produce, byte for byte ("@DATE@"
// stands for the day of the write).
#pragma once

namespace playlist_test {

constexpr const char kFromArray[] =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
    "<KelvaneMusicLibrary Version=\"5.00\" Date=\"@DATE@\" Tracks=\"2\">\r\n"
    "<TRK>\r\n"
    "<FN>C:\\m\\one.mp3</FN>\r\n"
    "<AR>Art &amp; Co</AR>\r\n"
    "<AL>Alb</AL>\r\n"
    "<TI>One</TI>\r\n"
    "<GE>House</GE>\r\n"
    "<BI FT=\"MP3\" BP=\"128.50\" YR=\"1999\"/>\r\n"
    "<NU ID=\"17\" LE=\"200\" PC=\"3\" HP=\"1\" VL=\"90\" SP=\"2\" EP=\"199\"/>\r\n"
    "<CU C1=\"5\" C1N=\"drop\" C2=\"9\" C2N=\"&quot;out&quot;\"/>\r\n"
    "</TRK>\r\n"
    "<TRK>\r\n"
    "<FN>D:\\w\\two.wav</FN>\r\n"
    "<AR/>\r\n"
    "<AL/>\r\n"
    "<TI/>\r\n"
    "<GE/>\r\n"
    "<BI FT=\"WAV\" BP=\"\" YR=\"\"/>\r\n"
    "<NU ID=\"0\" LE=\"0\" PC=\"0\" HP=\"0\" VL=\"100\" SP=\"0\" EP=\"0\"/>\r\n"
    "<CU C1=\"0\" C1N=\"\" C2=\"0\" C2N=\"\"/>\r\n"
    "</TRK>\r\n"
    "</KelvaneMusicLibrary>\r\n";

constexpr const char kFromList[] =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
    "<KelvaneMusicLibrary Version=\"5.00\" Date=\"@DATE@\" Tracks=\"2\">\r\n"
    "<TRK>\r\n"
    "<FN>C:\\m\\one.Mp3</FN>\r\n"
    "<AR>Art &amp; Co</AR>\r\n"
    "<AL>Alb</AL>\r\n"
    "<TI>One</TI>\r\n"
    "<GE>House</GE>\r\n"
    "<BI FT=\"MP3\" BP=\"128.50\" YR=\"1999\"/>\r\n"
    "<NU ID=\"0\" LE=\"205\" PC=\"3\" HP=\"0\" VL=\"100\" SP=\"0\" EP=\"0\"/>\r\n"
    "<CU C1=\"0\" C1N=\"\" C2=\"0\" C2N=\"\"/>\r\n"
    "</TRK>\r\n"
    "<TRK>\r\n"
    "<FN>D:\\w\\two.ogg</FN>\r\n"
    "<AR>B</AR>\r\n"
    "<AL/>\r\n"
    "<TI>Two</TI>\r\n"
    "<GE/>\r\n"
    "<BI FT=\"WAV\" BP=\"\" YR=\"\"/>\r\n"
    "<NU ID=\"0\" LE=\"0\" PC=\"0\" HP=\"0\" VL=\"100\" SP=\"0\" EP=\"0\"/>\r\n"
    "<CU C1=\"0\" C1N=\"\" C2=\"0\" C2N=\"\"/>\r\n"
    "</TRK>\r\n"
    "</KelvaneMusicLibrary>\r\n";

constexpr const char kEmpty[] =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
    "<KelvaneMusicLibrary Version=\"5.00\" Date=\"@DATE@\" Tracks=\"0\"/>\r\n";

} // namespace playlist_test
