#include "runner/capture/video_sink.h"

#include "platform/interruption.h"
#include "runner/capture/yuv420.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
}

namespace runner {

namespace {

// FFmpeg's libraries print nothing of their own: the last error one of them logged on this thread since
// the last call into them is kept and said with the failure it explains.
thread_local std::string lastLoggedError;

extern "C" void keepLoggedError(void*, int level, const char* format, va_list arguments) {
    if (level > AV_LOG_ERROR) {
        return;
    }
    char text[256];
    std::vsnprintf(text, sizeof text, format, arguments);
    lastLoggedError = text;
    while (!lastLoggedError.empty() && lastLoggedError.back() == '\n') {
        lastLoggedError.pop_back();
    }
}

// "cannot VERB FILE: FFmpeg's text for `code`", and what the library logged about it.
std::string describeFfmpegFailure(const char* verb, const std::string& file, int code) {
    char text[AV_ERROR_MAX_STRING_SIZE];
    av_strerror(code, text, sizeof text);
    std::string description = std::string("cannot ") + verb + " " + file + ": " + text;
    if (!lastLoggedError.empty()) {
        description += " (" + lastLoggedError + ")";
        lastLoggedError.clear();
    }
    return description;
}

// Whether the run was told a second time to end: what FFmpeg does then is abandoned.
bool abandoned() {
    return platform::interruptions() >= 2;
}

extern "C" int abandonedCallback(void*) {
    return abandoned() ? 1 : 0;
}

std::string abandonedFailure(const std::string& file) {
    return platform::describeInterruption("write", file, "a second signal");
}

// The stream's colours, as the frames are converted: BT.601 in the video range.
constexpr AVColorSpace matrix = AVCOL_SPC_SMPTE170M;
constexpr AVColorRange range = AVCOL_RANGE_MPEG;

// Seconds from one key frame to the next: where a player can seek to.
constexpr int keyFrameSeconds = 5;

// Encoder settings that keep up with the race on two cores, the render taking most of both (measured by
// scripts/capture-throughput). H.264: x264's fastest preset with its in-loop deblocking back (clean block
// edges for 5 % more time) and the macroblock tree over a 10-frame lookahead, which makes files a third
// smaller and saves more time in the entropy coder than it costs. VP9: libvpx's real-time mode at its
// fastest. One encoder thread on two processors, where more only take turns with the render's.
void setEncoderOptions(const VideoContainer& container, int quality, AVCodecContext* codec,
                       AVDictionary** options) {
    codec->thread_count = std::thread::hardware_concurrency() > 2 ? 0 : 1;
    av_dict_set_int(options, "crf", quality, 0);
    if (std::strcmp(container.encoder, "libx264") == 0) {
        av_dict_set(options, "preset", "ultrafast", 0);
        av_dict_set(options, "x264-params", "deblock=1:mbtree=1:rc-lookahead=10", 0);
    } else {
        codec->bit_rate = 0; // constant quality
        av_dict_set(options, "deadline", "realtime", 0);
        av_dict_set(options, "cpu-used", "8", 0);
        av_dict_set(options, "row-mt", "1", 0);
    }
}

} // namespace

VideoSink::VideoSink(std::string path, const VideoContainer& container, int fps, int quality)
    : path_(std::move(path)), container_(container), fps_(fps > 0 ? fps : 30),
      quality_(quality >= 0 ? quality : container.defaultQuality) {
    static std::once_flag quiet;
    std::call_once(quiet, [] { av_log_set_callback(keepLoggedError); });
}

VideoSink::~VideoSink() {
    discard();
}

void VideoSink::begin(int width, int height) {
    width_ = container_.evenSize ? std::max(2, width & ~1) : width;
    height_ = container_.evenSize ? std::max(2, height & ~1) : height;
}

bool VideoSink::encode(const CapturedFrame& frame, std::vector<std::uint8_t>& encoded, std::string&) const {
    encoded.resize(yuv420Size(width_, height_));
    convertToYuv420(frame, width_, height_, encoded.data(), YuvRange::Video);
    return true;
}

bool VideoSink::open(std::string& error) {
    lastLoggedError.clear();
    const AVCodec* encoder = avcodec_find_encoder_by_name(container_.encoder);
    if (!encoder) {
        error = videoCaptureProblem(path_);
        return false;
    }
    if (!file_.create(path_, error)) {
        return false;
    }
    // FFmpeg opens the new file through its descriptor's name in /proc, which no rename or link in the
    // folder can redirect (the MP4 muxer opens it again to move its index to the front).
    const std::string url = "file:/proc/self/fd/" + std::to_string(file_.fd());
    int result = avformat_alloc_output_context2(&format_, nullptr, container_.muxer, url.c_str());
    AVStream* stream = result >= 0 ? avformat_new_stream(format_, nullptr) : nullptr;
    codec_ = avcodec_alloc_context3(encoder);
    picture_ = av_frame_alloc();
    packet_ = av_packet_alloc();
    if (!stream || !codec_ || !picture_ || !packet_) {
        error = describeFfmpegFailure("encode", path_, result < 0 ? result : AVERROR(ENOMEM));
        return false;
    }
    codec_->width = width_;
    codec_->height = height_;
    codec_->pix_fmt = AV_PIX_FMT_YUV420P;
    codec_->time_base = {1, fps_};
    codec_->framerate = {fps_, 1};
    codec_->gop_size = fps_ * keyFrameSeconds;
    codec_->colorspace = matrix;
    codec_->color_range = range;
    if (format_->oformat->flags & AVFMT_GLOBALHEADER) {
        codec_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    AVDictionary* options = nullptr;
    setEncoderOptions(container_, quality_, codec_, &options);
    result = avcodec_open2(codec_, encoder, &options);
    av_dict_free(&options);
    if (result < 0) {
        error = describeFfmpegFailure("encode", path_, result);
        return false;
    }
    result = avcodec_parameters_from_context(stream->codecpar, codec_);
    if (result < 0) {
        error = describeFfmpegFailure("encode", path_, result);
        return false;
    }
    stream->time_base = codec_->time_base;
    stream->avg_frame_rate = codec_->framerate;
    format_->interrupt_callback = {abandonedCallback, nullptr};
    result = avio_open2(&format_->pb, url.c_str(), AVIO_FLAG_WRITE, &format_->interrupt_callback, nullptr);
    if (result < 0) {
        error = describeFfmpegFailure("create", path_, result);
        return false;
    }
    AVDictionary* muxing = nullptr;
    if (std::strcmp(container_.muxer, "mp4") == 0) {
        // The index goes before the frames, so that a player can start before the whole file has come.
        av_dict_set(&muxing, "movflags", "+faststart", 0);
    }
    result = avformat_write_header(format_, &muxing);
    av_dict_free(&muxing);
    if (result < 0) {
        error = describeFfmpegFailure("write", path_, result);
        return false;
    }
    picture_->format = codec_->pix_fmt;
    picture_->width = width_;
    picture_->height = height_;
    picture_->color_range = range;
    picture_->colorspace = matrix;
    return true;
}

bool VideoSink::send(const AVFrame* picture, std::string& error) {
    lastLoggedError.clear();
    if (abandoned()) {
        error = abandonedFailure(path_);
        return false;
    }
    int result = avcodec_send_frame(codec_, picture);
    if (result < 0) {
        error = describeFfmpegFailure("encode", path_, result);
        return false;
    }
    for (;;) {
        result = avcodec_receive_packet(codec_, packet_);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) {
            return true;
        }
        if (result < 0) {
            error = describeFfmpegFailure("encode", path_, result);
            return false;
        }
        // Each packet holds one frame, shown for one frame's time.
        packet_->duration = 1;
        av_packet_rescale_ts(packet_, codec_->time_base, format_->streams[0]->time_base);
        packet_->stream_index = 0;
        result = av_interleaved_write_frame(format_, packet_);
        if (result < 0) {
            error = abandoned() ? abandonedFailure(path_) : describeFfmpegFailure("write", path_, result);
            return false;
        }
    }
}

bool VideoSink::store(const CapturedFrame&, const std::vector<std::uint8_t>& encoded, std::string& error) {
    if (!format_ && !open(error)) {
        failed_ = true;
        discard();
        return false;
    }
    // The planes lie one after the other, rows unpadded; the encoder copies them (they belong to the queue).
    av_image_fill_arrays(picture_->data, picture_->linesize, encoded.data(), AV_PIX_FMT_YUV420P, width_,
                         height_, 1);
    picture_->pts = frames_++;
    if (!send(picture_, error)) {
        failed_ = true;
        discard();
        return false;
    }
    return true;
}

bool VideoSink::finish(std::string& error) {
    if (failed_ || !format_) {
        return true; // a failure has been reported; no frame, no file
    }
    bool done = send(nullptr, error);
    if (done) {
        const int result = av_write_trailer(format_);
        if (result < 0) {
            error = abandoned() ? abandonedFailure(path_) : describeFfmpegFailure("write", path_, result);
            done = false;
        }
    }
    if (done) {
        const int result = avio_closep(&format_->pb);
        if (result < 0) {
            error = describeFfmpegFailure("write", path_, result);
            done = false;
        }
    }
    done = done && file_.commit(platform::Durability::Synced, error);
    if (!done) {
        failed_ = true;
    }
    discard();
    return done;
}

void VideoSink::discard() {
    if (format_) {
        avio_closep(&format_->pb);
        avformat_free_context(format_);
        format_ = nullptr;
    }
    file_.discard(); // nothing left to do once committed
    avcodec_free_context(&codec_);
    av_frame_free(&picture_);
    av_packet_free(&packet_);
}

std::unique_ptr<FrameSink> makeVideoSink(const std::string& path, const VideoContainer& container, int fps,
                                         int quality) {
    return std::make_unique<VideoSink>(path, container, fps, quality);
}

std::string videoCaptureProblem(const std::string& path) {
    return videoCaptureProblem(
        path, [](const char* name) { return avcodec_find_encoder_by_name(name) != nullptr; });
}

} // namespace runner
