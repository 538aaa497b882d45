// SHA-256, HMAC-SHA256 and Base64 against the published test vectors.
#include "foundation/crypto/Base64.h"
#include "foundation/crypto/HmacSha256.h"
#include "foundation/crypto/Sha256.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Hex(const unsigned char* bytes, size_t count)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0x0F];
    }
    return text;
}

const unsigned char* Bytes(const std::string& s)
{
    return reinterpret_cast<const unsigned char*>(s.data());
}

unsigned int Len(const std::string& s) { return static_cast<unsigned int>(s.size()); }

std::string Sha256Hex(const std::string& message)
{
    unsigned char digest[SHA256_DIGEST_SIZE];
    sha256_digest(Bytes(message), Len(message), digest);
    return Hex(digest, sizeof(digest));
}

struct DigestCase
{
    std::string message;
    const char* digest;
};

// FIPS 180-2 (appendix B) and messages whose padding ends on either side of
// the block boundary (55 bytes is the most that fits one padded block).
TEST(Sha256Test, MatchesPublishedVectors)
{
    const DigestCase cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(55, 'a'), "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
        {std::string(56, 'a'), "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
        {std::string(57, 'a'), "f13b2d724659eb3bf47f2dd6af1accc87b81f09f59f2b75e5c0bed6589dfe8c6"},
        {std::string(63, 'a'), "7d3e74a05d7db15bce4ad9ec0658ea98e3f06eeecf16b4c6fff2da457ddc2f34"},
        {std::string(64, 'a'), "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
        {std::string(65, 'a'), "635361c48bb9eab14198e76ea8ab7f1a41685d6ad62aa9146d301d4f17eb0ae0"},
        {std::string(119, 'a'), "31eba51c313a5c08226adf18d4a359cfdfd8d2e816b13f4af952f7ea6584dcfb"},
        {std::string(120, 'a'), "2f3d335432c70b580af0e8e1b3674a7c020d683aa5f73aaaedfdc55af904c21c"},
    };
    for (const DigestCase& c : cases)
        EXPECT_EQ(c.digest, Sha256Hex(c.message)) << "length " << c.message.size();
}

TEST(Sha256Test, MillionAsInOneUpdate)
{
    EXPECT_EQ("cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0",
              Sha256Hex(std::string(1000000, 'a')));
}

// The million-'a' vector fed in pieces that fall on every side of the
// 64-byte block boundary, with empty updates between them.
TEST(Sha256Test, MillionAsInPiecesAroundTheBlockSize)
{
    const std::string message(1000000, 'a');
    const unsigned int pieces[] = {1, 55, 56, 63, 64, 65, 0, 127, 128, 129};
    sha256_ctx ctx;
    sha256_init(&ctx);
    unsigned int done = 0, next = 0;
    while (done < message.size()) {
        unsigned int take = pieces[next++ % (sizeof(pieces) / sizeof(pieces[0]))];
        if (take > message.size() - done)
            take = Len(message) - done;
        sha256_update(&ctx, Bytes(message) + done, take);
        done += take;
    }
    unsigned char digest[SHA256_DIGEST_SIZE];
    sha256_final(&ctx, digest);
    EXPECT_EQ("cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0",
              Hex(digest, sizeof(digest)));
}

// Every split point of a three-block message, each piece size on its own.
TEST(Sha256Test, SplitUpdatesEqualOneUpdate)
{
    std::string message;
    for (int i = 0; i < 200; ++i)
        message += static_cast<char>(i * 7 + 3);
    for (unsigned int piece : {1u, 55u, 56u, 63u, 64u, 65u}) {
        for (unsigned int length : {0u, 1u, 55u, 56u, 63u, 64u, 65u, 128u, 200u}) {
            const std::string part = message.substr(0, length);
            sha256_ctx ctx;
            sha256_init(&ctx);
            for (unsigned int at = 0; at < length; at += piece)
                sha256_update(&ctx, Bytes(part) + at, length - at < piece ? length - at : piece);
            unsigned char digest[SHA256_DIGEST_SIZE];
            sha256_final(&ctx, digest);
            EXPECT_EQ(Sha256Hex(part), Hex(digest, sizeof(digest)))
                << "pieces of " << piece << ", length " << length;
        }
    }
}

struct HmacCase
{
    const char* name;
    std::string key;
    std::string data;
    unsigned int macLength;
    const char* mac;
};

std::string Range(int first, int last)
{
    std::string s;
    for (int i = first; i <= last; ++i)
        s += static_cast<char>(i);
    return s;
}

// RFC 4231 section 4, plus keys of exactly one block and one byte more.
TEST(HmacSha256Test, MatchesRfc4231)
{
    const HmacCase cases[] = {
        {"case 1", std::string(20, '\x0b'), "Hi There", 32,
         "b0344c61d8db38535ca8afceaf0bf12b881dc200c9833da726e9376c2e32cff7"},
        {"case 2", "Jefe", "what do ya want for nothing?", 32,
         "5bdcc146bf60754e6a042426089575c75a003f089d2739839dec58b964ec3843"},
        {"case 3", std::string(20, '\xaa'), std::string(50, '\xdd'), 32,
         "773ea91e36800e46854db8ebd09181a72959098b3ef8c122d9635514ced565fe"},
        {"case 4", Range(1, 25), std::string(50, '\xcd'), 32,
         "82558a389a443c0ea4cc819899f2083a85f0faa3e578f8077a2e3ff46729665b"},
        {"case 5", std::string(20, '\x0c'), "Test With Truncation", 16,
         "a3b6167473100ee06e0c796c2955552b"},
        {"case 6", std::string(131, '\xaa'), "Test Using Larger Than Block-Size Key - Hash Key First", 32,
         "60e431591ee0b67f0d8a26aacbf5b77f8e0bc6213728c5140546040f0ee37f54"},
        {"case 7", std::string(131, '\xaa'),
         "This is a test using a larger than block-size key and a larger than block-size data. "
         "The key needs to be hashed before being used by the HMAC algorithm.",
         32, "9b09ffa71b942fcb27635fbcd5b0e944bfdc63644f0713938a7f51535c3a35e2"},
        {"64-byte key", std::string(64, 'k'), "exactly one block key", 32,
         "e73e6474ed2f863bbf5500617c3b577e141d3c1543e1563f3630b762d038f14c"},
        {"65-byte key", std::string(65, 'k'), "exactly one block key", 32,
         "b4070ed6c504791b1f952d494525d9610d35b5d906ef75cad9aed1fdfd4f857a"},
    };
    for (const HmacCase& c : cases) {
        unsigned char mac[SHA256_DIGEST_SIZE + 4];
        std::fill(std::begin(mac), std::end(mac), 0xEE);
        hmac_sha256_digest(Bytes(c.key), Len(c.key), Bytes(c.data), Len(c.data), mac, c.macLength);
        EXPECT_EQ(c.mac, Hex(mac, c.macLength)) << c.name;
        // Nothing is written past the requested length.
        EXPECT_EQ(0xEE, mac[c.macLength]) << c.name;
    }
}

TEST(HmacSha256Test, MessageInPiecesEqualsOneCall)
{
    const std::string key = "Jefe";
    const std::string data = "what do ya want for nothing?";
    hmac_sha256_ctx ctx;
    hmac_sha256_init(&ctx, Bytes(key), Len(key));
    for (size_t i = 0; i < data.size(); i += 5)
        sha256_update(&ctx.ctx_inside, Bytes(data) + i, static_cast<unsigned int>(std::min<size_t>(5, data.size() - i)));
    unsigned char mac[SHA256_DIGEST_SIZE];
    hmac_sha256_final(&ctx, mac, sizeof(mac));
    EXPECT_EQ("5bdcc146bf60754e6a042426089575c75a003f089d2739839dec58b964ec3843", Hex(mac, sizeof(mac)));
}

// RFC 4648 section 10.
TEST(Base64Test, MatchesRfc4648)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},           {"f", "Zg=="},         {"fo", "Zm8="},     {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"},
    };
    for (const auto& c : cases) {
        const std::string in = c.first;
        EXPECT_STREQ(c.second, static_cast<const char*>(Base64Encode(Bytes(in), Len(in)))) << '"' << in << '"';
    }
}

TEST(Base64Test, EveryByteValueUsesTheStandardAlphabet)
{
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    EXPECT_STREQ(
        "AAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8gISIjJCUmJygpKissLS4vMDEyMzQ1Njc4OTo7PD0+P0BBQkNERUZH"
        "SElKS0xNTk9QUVJTVFVWV1hZWltcXV5fYGFiY2RlZmdoaWprbG1ub3BxcnN0dXZ3eHl6e3x9fn+AgYKDhIWGh4iJiouMjY6P"
        "kJGSk5SVlpeYmZqbnJ2en6ChoqOkpaanqKmqq6ytrq+wsbKztLW2t7i5uru8vb6/wMHCw8TFxsfIycrLzM3Oz9DR0tPU1dbX"
        "2Nna29zd3t/g4eLj5OXm5+jp6uvs7e7v8PHy8/T19vf4+fr7/P3+/w==",
        static_cast<const char*>(Base64Encode(Bytes(all), Len(all))));
}

// The album-art request signature: a whole MAC is 44 characters, one '='.
TEST(Base64Test, SignatureOfAWholeMac)
{
    const std::string key = "Jefe";
    const std::string data = "what do ya want for nothing?";
    unsigned char mac[SHA256_DIGEST_SIZE];
    hmac_sha256_digest(Bytes(key), Len(key), Bytes(data), Len(data), mac, sizeof(mac));
    CString text = Base64Encode(mac, sizeof(mac));
    EXPECT_EQ(44, text.GetLength());
    EXPECT_STREQ("W9zBRr9gdU5qBCQmCJV1x1oAPwidJzmDnexYuWTsOEM=", static_cast<const char*>(text));
}

} // namespace
