// HMAC (RFC 2104) over SHA-256 with its 64-byte block. Portable.
#pragma once

#include "foundation/crypto/Sha256.h"

struct hmac_sha256_ctx
{
    sha256_ctx ctx_inside;
    sha256_ctx ctx_outside;
    unsigned char block_ipad[SHA256_BLOCK_SIZE];
    unsigned char block_opad[SHA256_BLOCK_SIZE];
};

// Absorbs the key; a key longer than one block is hashed first.
void hmac_sha256_init(hmac_sha256_ctx* ctx, const unsigned char* key, unsigned int key_size);
// Writes the first mac_size bytes (at most 32) of the HMAC.
void hmac_sha256_final(hmac_sha256_ctx* ctx, unsigned char* mac, unsigned int mac_size);
void hmac_sha256_digest(const unsigned char* key, unsigned int key_size,
                        const unsigned char* message, unsigned int message_len,
                        unsigned char* mac, unsigned mac_size);
