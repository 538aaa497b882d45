// Result codes of the decoder engine. Every engine operation returns 0 or
// more for success and one of these for failure; the hundreds say which
// family failed. error_string gives each code its message text.
#pragma once

enum decoder_error_code
{
    // general
    DK_ERR_OUT_OF_MEMORY = -100,
    DK_ERR_OUT_OF_RESOURCES = -101,
    DK_ERR_INVALID_PARAMETERS = -102,
    DK_ERR_INTERNAL = -103,
    DK_ERR_TIMEOUT = -104,
    DK_ERR_VERSION_EXPIRED = -105,
    DK_ERR_VERSION_MISMATCH = -106,
    // network
    DK_ERR_CONNECT_TIMED_OUT = -200,
    DK_ERR_CONNECT_FAILED = -201,
    DK_ERR_CONNECTION_REFUSED = -202,
    DK_ERR_ACCEPT_FAILED = -203,
    DK_ERR_LISTEN_FAILED = -204,
    DK_ERR_SOCKET_FAILED = -205,
    DK_ERR_SOCKET_CLOSED = -206,
    DK_ERR_BIND_FAILED = -207,
    DK_ERR_HOST_UNKNOWN = -208,
    DK_ERR_INVALID_HTTP_REPLY = -209,
    DK_ERR_HTTP_ERROR_REPLY = -210,
    DK_ERR_HTTP_ERROR = -211,
    DK_ERR_INVALID_FTP_REPLY = -212,
    DK_ERR_FTP_ERROR_REPLY = -213,
    DK_ERR_FTP_ERROR = -214,
    // transport
    DK_ERR_PIPE_FAILED = -300,
    DK_ERR_FORK_FAILED = -301,
    DK_ERR_SELECT_FAILED = -302,
    DK_ERR_PIPE_CLOSED = -303,
    DK_ERR_PIPE_READ_FAILED = -304,
    DK_ERR_PIPE_WRITE_FAILED = -305,
    DK_ERR_INVALID_MESSAGE = -306,
    DK_ERR_QUEUE_FULL = -307,
    DK_ERR_POST_FAILED = -308,
    // address
    DK_ERR_UNSUPPORTED_URL_SCHEME = -400,
    DK_ERR_INVALID_URL_SYNTAX = -401,
    // input and output
    DK_ERR_OPEN_FAILED = -500,
    DK_ERR_CLOSE_FAILED = -501,
    DK_ERR_READ_FAILED = -502,
    DK_ERR_WRITE_FAILED = -503,
    DK_ERR_PERMISSION_DENIED = -504,
    DK_ERR_NO_SUCH_DEVICE = -505,
    DK_ERR_IOCTL_FAILED = -506,
    DK_ERR_MODULE_NOT_FOUND = -507,
    DK_ERR_UNSUPPORTED_INPUT = -508,
    DK_ERR_UNSUPPORTED_OUTPUT = -509,
    DK_ERR_UNSUPPORTED_FORMAT = -510,
    DK_ERR_DEVICE_BUSY = -511,
    DK_ERR_NO_SUCH_DEVICE_2 = -512,
    DK_ERR_NO_SUCH_FILE = -513,
    DK_ERR_END_OF_INPUT = -514,
    // codec
    DK_ERR_NO_CODEC = -600,
    // frame
    DK_ERR_INVALID_FRAME = -700,
    // library loading
    DK_ERR_LIBRARY_NOT_FOUND = -800,
    DK_ERR_SYMBOL_NOT_FOUND = -801,
    // properties
    DK_ERR_NO_SUCH_VARIABLE = -900,
    DK_ERR_WRONG_VARIABLE_TYPE = -901,
    // interfaces
    DK_ERR_NO_SUCH_INTERFACE = -1000,
};

// The message text of an engine result code: "" for 0 or more and for an
// unused code of a known family, "unknown error" for any other code.
const char* error_string(int code);
