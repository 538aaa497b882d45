// SHA-256 (FIPS 180-2). Portable: no window code, fixed-width state, so the
// same code hashes in the program, in KVLib and in a native build.
#pragma once

#include <cstdint>

enum { SHA256_BLOCK_SIZE = 64, SHA256_DIGEST_SIZE = 32 };

struct sha256_ctx
{
    std::uint32_t tot_len;                       // bytes hashed in whole blocks
    std::uint32_t len;                           // bytes waiting in block
    unsigned char block[2 * SHA256_BLOCK_SIZE];  // room for the final padding
    std::uint32_t h[8];                          // chaining values
};

// The message length enters the padding as a 32-bit count of bits, so a
// message must be shorter than 2^29 bytes.
void sha256_init(sha256_ctx* ctx);
void sha256_update(sha256_ctx* ctx, const unsigned char* message, unsigned int len);
void sha256_final(sha256_ctx* ctx, unsigned char* digest);
void sha256_digest(const unsigned char* message, unsigned int len, unsigned char* digest);
