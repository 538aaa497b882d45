#include "foundation/crypto/HmacSha256.h"

#include <cstring>

void hmac_sha256_init(hmac_sha256_ctx* ctx, const unsigned char* key, unsigned int key_size)
{
    unsigned char padded[SHA256_BLOCK_SIZE];
    std::memset(padded, 0, sizeof(padded));
    if (key_size > SHA256_BLOCK_SIZE)
        sha256_digest(key, key_size, padded);
    else if (key_size > 0)
        std::memcpy(padded, key, key_size);

    for (int i = 0; i < SHA256_BLOCK_SIZE; ++i) {
        ctx->block_ipad[i] = static_cast<unsigned char>(padded[i] ^ 0x36);
        ctx->block_opad[i] = static_cast<unsigned char>(padded[i] ^ 0x5c);
    }

    sha256_init(&ctx->ctx_inside);
    sha256_update(&ctx->ctx_inside, ctx->block_ipad, SHA256_BLOCK_SIZE);
    sha256_init(&ctx->ctx_outside);
    sha256_update(&ctx->ctx_outside, ctx->block_opad, SHA256_BLOCK_SIZE);
}

void hmac_sha256_final(hmac_sha256_ctx* ctx, unsigned char* mac, unsigned int mac_size)
{
    unsigned char digest_inside[SHA256_DIGEST_SIZE];
    unsigned char mac_temp[SHA256_DIGEST_SIZE];
    sha256_final(&ctx->ctx_inside, digest_inside);
    sha256_update(&ctx->ctx_outside, digest_inside, SHA256_DIGEST_SIZE);
    sha256_final(&ctx->ctx_outside, mac_temp);
    if (mac_size > SHA256_DIGEST_SIZE)
        mac_size = SHA256_DIGEST_SIZE;
    std::memcpy(mac, mac_temp, mac_size);
}

void hmac_sha256_digest(const unsigned char* key, unsigned int key_size,
                        const unsigned char* message, unsigned int message_len,
                        unsigned char* mac, unsigned mac_size)
{
    hmac_sha256_ctx ctx;
    hmac_sha256_init(&ctx, key, key_size);
    sha256_update(&ctx.ctx_inside, message, message_len);
    hmac_sha256_final(&ctx, mac, mac_size);
}
