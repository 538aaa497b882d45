// The CD database client's readers of a server's replies: the test of a
// whole answer, query answers with their match lines, and read answers
// with their xmcd records. The first byte chooses the reader; the rest is
// the reply.
#include "audio/cd/CDDBProtocol.h"
#include "fuzz/FuzzCheck.h"

#include <cstring>

namespace {

class Client : public CDDBProtocol
{
public:
    CString GetUserNameText() override { return "fuzz"; }
    CString GetHostNameText() override { return "host"; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const char* bytes = reinterpret_cast<const char*>(data) + 1;
    const CString text(bytes, static_cast<int>(size - 1));
    Client client;
    switch (data[0] % 4) {
    case 0: {
        CDDBMatchArray matches;
        if (client.ParseQueryResponse(text, matches)) {
            FUZZ_CHECK(matches.GetSize() > 0, "a query accepted without a match");
            FUZZ_CHECK(client.LastAnswer().IsEmpty(), "a parsed answer kept as the last answer");
            for (INT_PTR i = 0; i < matches.GetSize(); ++i) {
                const CString& category = matches[i].category;
                FUZZ_CHECK(!category.IsEmpty() && category.FindOneOf(" \r\n") < 0, "category '%s'",
                           category.GetString());
                FUZZ_CHECK(matches[i].title.FindOneOf("\r\n") < 0, "a title that runs past its line");
            }
        } else {
            FUZZ_CHECK(matches.GetSize() == 0, "a failed query left matches");
            FUZZ_CHECK(client.LastAnswer() == text, "a failed query lost its answer");
        }
        break;
    }
    case 1:
    case 2: {
        CDDBRecord record;
        const bool ok = data[0] % 4 == 1 ? client.ParseReadResponse(text, record) : client.ParseXmcd(text, record);
        if (ok) {
            FUZZ_CHECK(record.frameOffsets.GetSize() > 0, "a record without offsets");
            FUZZ_CHECK(record.trackTitles.GetSize() <= CDDB_MAX_TRACK_INDEX + 1, "%d titles",
                       static_cast<int>(record.trackTitles.GetSize()));
            FUZZ_CHECK(record.trackTitles.GetSize() == record.extendedTracks.GetSize(),
                       "titles and extended data differ in number");
        } else {
            FUZZ_CHECK(client.ParseError() == CDDBProtocol::ErrorProtocol, "a record failed without an error");
        }
        break;
    }
    case 3: {
        size_t length = size;
        const int kind = (data[0] >> 2) & 1;
        const CDDBAnswerState state = CDDBProtocol::JudgeAnswer(bytes, size - 1, "\r\n.\r\n", kind, &length);
        if (state == CDDBAnswerState::Complete) {
            FUZZ_CHECK(length <= size - 1, "an answer longer than what arrived");
            if (length < size - 1)
                FUZZ_CHECK(size - 1 - length >= 5 && std::memcmp(bytes + length, "\r\n.\r\n", 5) == 0,
                           "an answer cut where no terminator stands");
        }
        break;
    }
    }
    return 0;
}
