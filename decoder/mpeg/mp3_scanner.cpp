// MP3 stream scanner: a walk over frame headers with stdio file access.
#include "decoder/mpeg/mp3_scanner.h"

#include <errno.h>
#include <limits.h>
#include <stdint.h>
#include <new>
#include <string.h>

int mp3_header_check(const mpeg_frame_header* header)
{
    return mpeg_header_check(header);
}

// A read window over the file: the walk seeks by a frame at a time, and a
// stdio seek drops its buffer, so one system call per frame; the window is
// refilled only when the walk leaves it.
struct mp3_file_window
{
    mp3_scan_source source;
    int64_t size;
    int64_t pos;   // the position the walk is at
    int64_t start; // file offset of bytes[0]
    size_t length; // valid bytes in the window
    bool eof;
    bool error;
    uint8_t bytes[65536];
};

namespace {

// Loads the window at pos; false when nothing is there or the read failed.
bool window_fill(mp3_file_window* w)
{
    w->start = w->pos;
    w->length = 0;
    if (w->pos >= w->size)
        return false;
    int64_t want = w->size - w->pos;
    if (want > static_cast<int64_t>(sizeof(w->bytes)))
        want = static_cast<int64_t>(sizeof(w->bytes));
    const int64_t got =
        w->source.read(w->source.data, w->pos, w->bytes, static_cast<size_t>(want));
    if (got < 0) {
        w->error = true;
        return false;
    }
    w->length = static_cast<size_t>(got);
    return w->length != 0;
}

// The source of a scan by path: a stdio file.
int64_t file_read(void* data, int64_t offset, void* buffer, size_t count)
{
    FILE* file = static_cast<FILE*>(data);
    if (offset > LONG_MAX || fseek(file, static_cast<long>(offset), SEEK_SET) != 0)
        return -1;
    const size_t got = fread(buffer, 1, count, file);
    if (got == 0 && ferror(file))
        return -1;
    return static_cast<int64_t>(got);
}

bool read_exact(mp3_file_window* w, void* buffer, size_t count)
{
    uint8_t* out = static_cast<uint8_t*>(buffer);
    while (count != 0) {
        if (w->pos < w->start || w->pos >= w->start + static_cast<int64_t>(w->length)) {
            if (!window_fill(w)) {
                if (!w->error)
                    w->eof = true;
                return false;
            }
        }
        const size_t at = static_cast<size_t>(w->pos - w->start);
        size_t n = w->length - at;
        if (n > count)
            n = count;
        memcpy(out, w->bytes + at, n);
        out += n;
        w->pos += static_cast<int64_t>(n);
        count -= n;
    }
    return true;
}

int window_getc(mp3_file_window* w)
{
    uint8_t c;
    return read_exact(w, &c, 1) ? c : EOF;
}

// Steps over the bytes at the walk's position, within the loaded window,
// up to the next 0xFF byte and at most `most` of them (0: no bound);
// returns how many.
size_t window_run_without_ff(mp3_file_window* w, int most)
{
    if (w->pos < w->start || w->pos >= w->start + static_cast<int64_t>(w->length))
        return 0;
    const size_t at = static_cast<size_t>(w->pos - w->start);
    size_t n = w->length - at;
    if (most > 0 && n > static_cast<size_t>(most))
        n = static_cast<size_t>(most);
    const void* ff = memchr(w->bytes + at, 0xFF, n);
    if (ff)
        n = static_cast<size_t>(static_cast<const uint8_t*>(ff) - (w->bytes + at));
    w->pos += static_cast<int64_t>(n);
    return n;
}

// The word after sliding in the `run` bytes just stepped over.
uint32_t window_last_word(const mp3_file_window* w, uint32_t word, size_t run)
{
    const size_t end = static_cast<size_t>(w->pos - w->start);
    for (size_t i = run < 4 ? run : 4; i != 0; --i)
        word = (word << 8) | w->bytes[end - i];
    return word;
}

// fseek's rules: a negative target fails, the end-of-file mark is cleared.
int window_seek(mp3_file_window* w, int64_t offset, int whence)
{
    const int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? w->pos : w->size;
    if (base + offset < 0)
        return -1;
    w->pos = base + offset;
    w->eof = false;
    return 0;
}

int read_error(mp3_file_window* w)
{
    return w->eof ? MP3_SCAN_END : MP3_SCAN_READ_FAILED;
}

void mp3_scanner_read_id3v1(mp3_scanner* s, mp3_stream_info* info)
{
    info->title = info->artist = info->album = info->year = info->comment = nullptr;
    info->genre = 0;
    if (s->audio_bytes < 128)
        return;
    uint8_t tag[128];
    const bool ok = window_seek(s->window, -128, SEEK_END) == 0 && read_exact(s->window, tag, 128);
    window_seek(s->window, 0, SEEK_SET);
    if (!ok || memcmp(tag, "TAG", 3) != 0)
        return;
    struct field { char* text; int from; int length; };
    const field fields[5] = {{s->title, 3, 30}, {s->artist, 33, 30}, {s->album, 63, 30},
                             {s->year, 93, 4}, {s->comment, 97, 30}};
    for (const field& fl : fields) {
        memset(fl.text, 0, static_cast<size_t>(fl.length) + 1);
        memcpy(fl.text, tag + fl.from, static_cast<size_t>(fl.length));
        for (int i = fl.length - 1; i >= 0 && (fl.text[i] == ' ' || fl.text[i] == '\0'); --i)
            fl.text[i] = '\0';
    }
    s->genre = tag[127];
    info->title = s->title;
    info->artist = s->artist;
    info->album = s->album;
    info->year = s->year;
    info->comment = s->comment;
    info->genre = s->genre;
    s->flags |= MP3_FLAG_ID3V1;
    s->audio_bytes -= 128;
}

void mp3_scanner_skip_id3v2(mp3_scanner* s)
{
    uint8_t head[10];
    if (!read_exact(s->window, head, 10))
        return; // a short file stays at its end
    window_seek(s->window, 0, SEEK_SET);
    if (memcmp(head, "ID3", 3) != 0)
        return;
    const int64_t length = 10 + ((head[6] & 0x7F) << 21 | (head[7] & 0x7F) << 14 |
                              (head[8] & 0x7F) << 7 | (head[9] & 0x7F));
    window_seek(s->window, length, SEEK_SET);
    s->audio_bytes -= length;
    s->flags |= MP3_FLAG_ID3V2;
}

int samples_per_frame(const mpeg_frame_header& h)
{
    return mpeg_samples_per_frame(h);
}

// The lowest and highest bitrates of any MPEG audio frame (MPEG-2 layer
// III, MPEG-1 layer I), bit/s.
const int64_t kLowestBitrate = 8000;
const int64_t kHighestBitrate = 448000;

// Milliseconds for the result: a length past the 32-bit range (some
// 24 days) is held at its top, never wrapped to a negative one.
int32_t clamp_ms(double ms)
{
    if (!(ms > 0))
        return 0;
    return ms >= INT32_MAX ? INT32_MAX : static_cast<int32_t>(ms);
}

// The bitrates a frame of h's version and layer can have, bit/s.
void bitrate_range(const mpeg_frame_header& h, int64_t* lowest, int64_t* highest)
{
    mpeg_frame_header b = h;
    b.bitrate_index = 1;
    *lowest = static_cast<int64_t>(mpeg_bitrate_kbps(b)) * 1000;
    b.bitrate_index = 14;
    *highest = static_cast<int64_t>(mpeg_bitrate_kbps(b)) * 1000;
}

void mp3_scanner_read_vbr_header(mp3_scanner* s)
{
    uint8_t b[128];
    const int64_t at = s->window->pos;
    if (!read_exact(s->window, b, 128))
        return; // the walk then starts at the end of the file
    window_seek(s->window, at, SEEK_SET);
    const uint32_t word = mpeg_read_u32_be(b);
    mpeg_frame_header h;
    mpeg_header_unpack(word, &h);
    if (!mpeg_is_sync(word) || mp3_header_check(&h) != 0)
        return;
    const int tag = 4 + mpeg_side_info_size(h);
    const int rate = mpeg_sample_rate(h);
    const int spf = h.version == MPEG_VERSION_1 ? 1152 : 576;
    int64_t duration = 0;
    if (memcmp(b + tag, "Xing", 4) == 0 || memcmp(b + tag, "Lame", 4) == 0) {
        if (!(mpeg_read_u32_be(b + tag + 4) & 1))
            return;
        const uint32_t frames = mpeg_read_u32_be(b + tag + 8);
        duration = static_cast<int64_t>(spf * 1000 / rate) * frames;
    } else if (memcmp(b + tag, "VBRI", 4) == 0) {
        const uint32_t frames = mpeg_read_u32_be(b + tag + 14);
        duration = static_cast<int64_t>(spf * 1000.0 * frames / rate);
    } else {
        return;
    }
    // A frame count that puts the file's bytes at an average bitrate no
    // frame of this version and layer has is not the file's (a header
    // claiming 100 M frames over 7,000 real ones): the walk's own estimate
    // stands then.
    if (duration <= 0)
        return;
    int64_t lowest, highest;
    bitrate_range(h, &lowest, &highest);
    const double average = static_cast<double>(s->audio_bytes) * 8 * 1000 / static_cast<double>(duration);
    if (average < static_cast<double>(lowest) || average > static_cast<double>(highest))
        return;
    s->vbr_duration_ms = clamp_ms(static_cast<double>(duration));
    const int64_t whole_seconds = duration / 1000;
    s->vbr_bitrate = whole_seconds > 0 ? static_cast<int32_t>(s->audio_bytes / whole_seconds * 8) : 0;
}

// Reads 4 bytes and slides byte by byte to a sync word whose header passes
// the check.
int mp3_scanner_find_sync(mp3_scanner* s, mpeg_frame_header* h)
{
    int limit = s->resync_limit;
    uint8_t b[4];
    if (!read_exact(s->window, b, 4)) {
        s->in_sync = false;
        return read_error(s->window);
    }
    uint32_t word = mpeg_read_u32_be(b);
    for (;;) {
        if (mpeg_is_sync(word)) {
            mpeg_header_unpack(word, h);
            if (mp3_header_check(h) == 0)
                return 0;
        }
        s->in_sync = false;
        if (limit != 0 && --limit == 0)
            return MP3_SCAN_NO_SYNC;
        // A sync word starts with a 0xFF byte: while none of the word's
        // three bytes still to come to the top is one, every byte up to the
        // next 0xFF in the window slides in without making a sync word.
        // Zero padding and other long runs are crossed a run at a time,
        // each byte counted against the limit as the byte-wise slide does.
        if ((word & 0xFF) != 0xFF && (word & 0xFF00) != 0xFF00 && (word & 0xFF0000) != 0xFF0000) {
            const size_t run = window_run_without_ff(s->window, limit);
            if (run != 0) {
                // The loop's next turn checks and counts the last of them.
                word = window_last_word(s->window, word, run);
                if (limit != 0)
                    limit -= static_cast<int>(run) - 1;
                continue;
            }
        }
        const int c = window_getc(s->window);
        if (c == EOF)
            return read_error(s->window);
        word = (word << 8) | static_cast<uint32_t>(c);
    }
}

int mp3_scanner_walk(mp3_scanner* s)
{
    if (s->state == 0) {
        if (s->pending) {
            s->frame = s->pending_header;
            s->pending = false;
        } else {
            const int r = mp3_scanner_find_sync(s, &s->frame);
            if (r != 0)
                return r;
        }
        s->state = 1;
    }
    if (s->state == 1) {
        window_seek(s->window, mpeg_frame_size(s->frame) - 4, SEEK_CUR);
        s->state = s->in_sync ? 0 : 4;
    }
    if (s->state == 4) {
        uint8_t b[4];
        if (!read_exact(s->window, b, 4)) {
            if (!s->window->eof)
                return MP3_SCAN_READ_FAILED;
            s->pending = false;
            s->state = 0;
            return 0;
        }
        s->state = 0;
        const uint32_t word = mpeg_read_u32_be(b);
        mpeg_frame_header h;
        mpeg_header_unpack(word, &h);
        if (!mpeg_is_sync(word) || mp3_header_check(&h) != 0) {
            // Drop the frame in hand and search on from the byte after its
            // supposed successor's first.
            window_seek(s->window, -3, SEEK_CUR);
            return MP3_SCAN_NO_HEADER;
        }
        s->pending_header = h;
        s->pending = true;
        s->in_sync = true;
    }
    return 0;
}

int mp3_scanner_next_frame(mp3_scanner* s)
{
    int r;
    do
        r = mp3_scanner_walk(s);
    while (r == MP3_SCAN_NO_HEADER);
    return r;
}

int mp3_frame_account(mp3_scanner* s, mp3_frame_callback callback, void* data, int stop_mask)
{
    const mpeg_frame_header& h = s->frame;
    if (!s->have_first) {
        s->first = h;
        s->have_first = true;
    } else {
        if (h.version != s->first.version)
            s->flags |= MP3_FLAG_VERSION_CHANGED;
        if (h.layer != s->first.layer)
            s->flags |= MP3_FLAG_LAYER_CHANGED;
        if (h.bitrate_index != s->first.bitrate_index)
            s->flags |= MP3_FLAG_BITRATE_CHANGED;
        if (h.sampling_index != s->first.sampling_index)
            s->flags |= MP3_FLAG_RATE_CHANGED;
        if (h.mode != s->first.mode)
            s->flags |= MP3_FLAG_MODE_CHANGED;
    }
    if (stop_mask & s->flags)
        return MP3_SCAN_STOPPED;
    const int samples = samples_per_frame(h);
    const int rate = mpeg_sample_rate(h);
    if (callback) {
        mp3_frame_info fi;
        fi.frame = s->frames;
        fi.version = mpeg_level(h);
        fi.layer = mpeg_layer(h);
        fi.bitrate = mpeg_bitrate_kbps(h) * 1000;
        fi.sample_rate = rate;
        fi.mode = h.mode;
        fi.channels = mpeg_channels(h);
        fi.offset = static_cast<int32_t>(s->window->pos);
        fi.samples = samples;
        if (callback(data, &fi) != 0)
            return MP3_SCAN_END;
    }
    s->seconds += static_cast<double>(samples) / rate;
    s->frame_bytes += mpeg_frame_size(h);
    ++s->frames;
    return 0;
}

void mp3_scanner_summarize(mp3_scanner* s, mp3_stream_info* info, bool frame_limit)
{
    info->flags = s->flags;
    info->frames = s->frames;
    info->duration_ms = clamp_ms(s->seconds * 1000.0);
    if (s->frames == 0)
        return;
    const mpeg_frame_header& f = s->first;
    if (!(s->flags & MP3_FLAG_VERSION_CHANGED))
        info->version = mpeg_level(f);
    if (!(s->flags & MP3_FLAG_LAYER_CHANGED))
        info->layer = mpeg_layer(f);
    if (!(s->flags & MP3_FLAG_MODE_CHANGED))
        info->mode = f.mode;
    info->channels = mpeg_channels(f);
    if (!(s->flags & (MP3_FLAG_VERSION_CHANGED | MP3_FLAG_LAYER_CHANGED | MP3_FLAG_BITRATE_CHANGED)))
        info->bitrate = mpeg_bitrate_kbps(f) * 1000;
    else if (!frame_limit && s->seconds > 0) {
        // The file's bytes over the frames' time; where that lies outside
        // the bitrates MPEG has (a few frames and megabytes of something
        // else, or frames running on into what the tags were counted as),
        // the frames' own average.
        double average = static_cast<double>(s->audio_bytes) * 8 / s->seconds;
        if (average > static_cast<double>(kHighestBitrate) ||
            average < static_cast<double>(kLowestBitrate))
            average = static_cast<double>(s->frame_bytes) * 8 / s->seconds;
        info->bitrate = static_cast<int32_t>(average);
    }
    if (!(s->flags & MP3_FLAG_RATE_CHANGED))
        info->sample_rate = mpeg_sample_rate(f);
    if (frame_limit) {
        if (s->vbr_bitrate > 0) {
            info->bitrate = s->vbr_bitrate;
            info->duration_ms = s->vbr_duration_ms;
        } else if (!(s->flags & MP3_FLAG_BITRATE_CHANGED) && s->audio_bytes != 0 &&
                   info->bitrate > 0) {
            info->duration_ms =
                clamp_ms(static_cast<double>(s->audio_bytes) / (info->bitrate / 8.0) * 1000.0);
        } else {
            info->duration_ms = 0;
        }
    }
}

// The scanner's and the result's state before a scan.
void mp3_scanner_reset(mp3_scanner* s, mp3_stream_info* info, int resync_limit)
{
    s->frames = 0;
    s->frame_bytes = 0;
    s->seconds = 0.0;
    s->flags = 0;
    s->have_first = false;
    memset(&s->first, 0, sizeof(s->first));
    s->vbr_bitrate = 0;
    s->vbr_duration_ms = 0;
    s->resync_limit = resync_limit;
    info->version = info->layer = info->bitrate = info->sample_rate = info->mode =
        info->channels = -1;
    info->frames = info->duration_ms = info->flags = 0;
    info->title = info->artist = info->album = info->year = info->comment = nullptr;
    info->genre = 0;
}

} // namespace

int mp3_scanner_new(mp3_scanner** scanner)
{
    if (scanner == nullptr)
        return MP3_SCAN_OUT_OF_MEMORY;
    *scanner = new (std::nothrow) mp3_scanner;
    if (*scanner == nullptr)
        return MP3_SCAN_OUT_OF_MEMORY;
    memset(*scanner, 0, sizeof(mp3_scanner));
    return 0;
}

int mp3_scanner_delete(mp3_scanner* scanner)
{
    if (scanner) {
        if (scanner->file)
            fclose(scanner->file);
        delete scanner->window;
        delete scanner;
    }
    return 0;
}

int mp3_scanner_scan(mp3_scanner* s, const char* path, mp3_frame_callback callback,
                     void* callback_data, mp3_stream_info* info, int stop_mask,
                     int resync_limit, int frame_limit)
{
    if (s->file) {
        fclose(s->file);
        s->file = nullptr;
    }
    errno = 0;
    s->file = fopen(path, "rb");
    if (s->file == nullptr) {
        mp3_scanner_reset(s, info, resync_limit);
        return errno == ENOENT ? MP3_SCAN_NO_FILE : MP3_SCAN_OPEN_FAILED;
    }
    mp3_scan_source source;
    source.data = s->file;
    source.size = 0;
    source.read = file_read;
    if (fseek(s->file, 0, SEEK_END) == 0) {
        const long size = ftell(s->file);
        source.size = size > 0 ? size : 0;
    }
    fseek(s->file, 0, SEEK_SET);
    const int r = mp3_scanner_scan_source(s, &source, callback, callback_data, info, stop_mask,
                                          resync_limit, frame_limit);
    fclose(s->file);
    s->file = nullptr;
    return r;
}

int mp3_scanner_scan_source(mp3_scanner* s, const mp3_scan_source* source,
                            mp3_frame_callback callback, void* callback_data,
                            mp3_stream_info* info, int stop_mask, int resync_limit,
                            int frame_limit)
{
    mp3_scanner_reset(s, info, resync_limit);
    if (source == nullptr || source->read == nullptr)
        return MP3_SCAN_READ_FAILED;
    s->state = 0;
    s->in_sync = false;
    s->pending = false;
    s->audio_bytes = source->size > 0 ? source->size : 0;
    if (s->window == nullptr)
        s->window = new (std::nothrow) mp3_file_window;
    if (s->window == nullptr)
        return MP3_SCAN_OUT_OF_MEMORY;
    s->window->source = *source;
    s->window->size = s->audio_bytes;
    s->window->pos = 0;
    s->window->start = 0;
    s->window->length = 0;
    s->window->eof = false;
    s->window->error = false;

    mp3_scanner_read_id3v1(s, info);
    mp3_scanner_skip_id3v2(s);
    mp3_scanner_read_vbr_header(s);

    int r;
    bool at_limit = false;
    int left = frame_limit;
    for (;;) {
        r = mp3_scanner_next_frame(s);
        if (r != 0)
            break;
        r = mp3_frame_account(s, callback, callback_data, stop_mask);
        if (frame_limit != 0 && --left == 0) {
            at_limit = true;
            break;
        }
        if (r != 0)
            break;
    }
    if (at_limit || r == MP3_SCAN_END) {
        mp3_scanner_summarize(s, info, frame_limit != 0);
        r = 0;
    }
    return r;
}
