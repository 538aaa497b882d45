#include "foundation/crypto/Sha256.h"

#include <cstring>

namespace {

const std::uint32_t kInitialHash[8] = {
    0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
    0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};

const std::uint32_t kRoundConstants[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

inline std::uint32_t Rotr(std::uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

inline std::uint32_t LoadBigEndian(const unsigned char* p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) |
           (std::uint32_t(p[2]) << 8) | std::uint32_t(p[3]);
}

inline void StoreBigEndian(std::uint32_t v, unsigned char* p)
{
    p[0] = static_cast<unsigned char>(v >> 24);
    p[1] = static_cast<unsigned char>(v >> 16);
    p[2] = static_cast<unsigned char>(v >> 8);
    p[3] = static_cast<unsigned char>(v);
}

// Compresses block_nb consecutive 64-byte blocks into the chaining values.
void Compress(sha256_ctx* ctx, const unsigned char* message, unsigned int block_nb)
{
    for (unsigned int b = 0; b < block_nb; ++b) {
        const unsigned char* block = message + b * SHA256_BLOCK_SIZE;
        std::uint32_t w[64];
        for (int t = 0; t < 16; ++t)
            w[t] = LoadBigEndian(block + 4 * t);
        for (int t = 16; t < 64; ++t) {
            std::uint32_t s0 = Rotr(w[t - 15], 7) ^ Rotr(w[t - 15], 18) ^ (w[t - 15] >> 3);
            std::uint32_t s1 = Rotr(w[t - 2], 17) ^ Rotr(w[t - 2], 19) ^ (w[t - 2] >> 10);
            w[t] = w[t - 16] + s0 + w[t - 7] + s1;
        }

        std::uint32_t a = ctx->h[0], bb = ctx->h[1], c = ctx->h[2], d = ctx->h[3];
        std::uint32_t e = ctx->h[4], f = ctx->h[5], g = ctx->h[6], h = ctx->h[7];
        for (int t = 0; t < 64; ++t) {
            std::uint32_t sum1 = Rotr(e, 6) ^ Rotr(e, 11) ^ Rotr(e, 25);
            std::uint32_t ch = (e & f) ^ (~e & g);
            std::uint32_t t1 = h + sum1 + ch + kRoundConstants[t] + w[t];
            std::uint32_t sum0 = Rotr(a, 2) ^ Rotr(a, 13) ^ Rotr(a, 22);
            std::uint32_t maj = (a & bb) ^ (a & c) ^ (bb & c);
            std::uint32_t t2 = sum0 + maj;
            h = g;
            g = f;
            f = e;
            e = d + t1;
            d = c;
            c = bb;
            bb = a;
            a = t1 + t2;
        }
        ctx->h[0] += a;
        ctx->h[1] += bb;
        ctx->h[2] += c;
        ctx->h[3] += d;
        ctx->h[4] += e;
        ctx->h[5] += f;
        ctx->h[6] += g;
        ctx->h[7] += h;
    }
}

} // namespace

void sha256_init(sha256_ctx* ctx)
{
    std::memcpy(ctx->h, kInitialHash, sizeof(kInitialHash));
    ctx->len = 0;
    ctx->tot_len = 0;
}

void sha256_update(sha256_ctx* ctx, const unsigned char* message, unsigned int len)
{
    unsigned int room = SHA256_BLOCK_SIZE - ctx->len;
    unsigned int take = len < room ? len : room;
    if (take > 0)
        std::memcpy(ctx->block + ctx->len, message, take);

    if (ctx->len + len < SHA256_BLOCK_SIZE) {
        ctx->len += len;
        return;
    }

    // The buffered block is full: compress it, then every whole block of the
    // rest straight from the input, and keep the tail.
    unsigned int rest = len - take;
    const unsigned char* next = message + take;
    unsigned int block_nb = rest / SHA256_BLOCK_SIZE;
    Compress(ctx, ctx->block, 1);
    Compress(ctx, next, block_nb);

    unsigned int tail = rest % SHA256_BLOCK_SIZE;
    if (tail > 0)
        std::memcpy(ctx->block, next + block_nb * SHA256_BLOCK_SIZE, tail);
    ctx->len = tail;
    ctx->tot_len += (block_nb + 1) * SHA256_BLOCK_SIZE;
}

void sha256_final(sha256_ctx* ctx, unsigned char* digest)
{
    unsigned int block_nb = (ctx->len > SHA256_BLOCK_SIZE - 9) ? 2 : 1;
    unsigned int pm_len = block_nb * SHA256_BLOCK_SIZE;
    std::uint32_t len_b = (ctx->tot_len + ctx->len) << 3;

    std::memset(ctx->block + ctx->len, 0, pm_len - ctx->len);
    ctx->block[ctx->len] = 0x80;
    StoreBigEndian(len_b, ctx->block + pm_len - 4);

    Compress(ctx, ctx->block, block_nb);
    for (int i = 0; i < 8; ++i)
        StoreBigEndian(ctx->h[i], digest + 4 * i);
}

void sha256_digest(const unsigned char* message, unsigned int len, unsigned char* digest)
{
    sha256_ctx ctx;
    sha256_init(&ctx);
    sha256_update(&ctx, message, len);
    sha256_final(&ctx, digest);
}
