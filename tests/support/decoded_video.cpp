#include "tests/support/decoded_video.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace {

std::string describe(const char* what, int code) {
    char text[AV_ERROR_MAX_STRING_SIZE];
    av_strerror(code, text, sizeof text);
    return std::string(what) + ": " + text;
}

struct Reader {
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    SwsContext* converter = nullptr;
    ~Reader() {
        sws_freeContext(converter);
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        avformat_close_input(&format);
    }
};

// Takes every frame the decoder has ready; false with the error set if decoding failed.
bool takeFrames(Reader& reader, DecodedVideo& video, int keep) {
    for (;;) {
        const int result = avcodec_receive_frame(reader.codec, reader.frame);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) {
            return true;
        }
        if (result < 0) {
            video.error = describe("decode", result);
            return false;
        }
        if (video.frames++ < keep) {
            const AVFrame* f = reader.frame;
            reader.converter = sws_getCachedContext(
                reader.converter, f->width, f->height, static_cast<AVPixelFormat>(f->format), f->width,
                f->height, AV_PIX_FMT_RGBA, SWS_BILINEAR | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr,
                nullptr, nullptr);
            // A player's conversion: by the stream's matrix and range, to full-range RGB.
            const int* matrix = sws_getCoefficients(f->colorspace);
            sws_setColorspaceDetails(reader.converter, matrix, f->color_range == AVCOL_RANGE_JPEG, matrix, 1,
                                     0, 1 << 16, 1 << 16);
            std::vector<std::uint8_t> rgba(static_cast<std::size_t>(f->width) * f->height * 4);
            std::uint8_t* planes[1] = {rgba.data()};
            const int strides[1] = {f->width * 4};
            sws_scale(reader.converter, f->data, f->linesize, 0, f->height, planes, strides);
            video.rgba.push_back(std::move(rgba));
        }
        av_frame_unref(reader.frame);
    }
}

} // namespace

DecodedVideo decodeVideo(const std::string& path, int keep) {
    DecodedVideo video;
    Reader reader;
    int result = avformat_open_input(&reader.format, ("file:" + path).c_str(), nullptr, nullptr);
    if (result < 0) {
        video.error = describe("open", result);
        return video;
    }
    result = avformat_find_stream_info(reader.format, nullptr);
    if (result < 0 || reader.format->nb_streams == 0) {
        video.error = describe("read the streams", result);
        return video;
    }
    video.streams = static_cast<int>(reader.format->nb_streams);
    const AVStream* stream = reader.format->streams[0];
    const AVCodecParameters* parameters = stream->codecpar;
    video.codec = avcodec_get_name(parameters->codec_id);
    const AVRational rate = stream->avg_frame_rate.num ? stream->avg_frame_rate : stream->r_frame_rate;
    video.rateNumerator = rate.num;
    video.rateDenominator = rate.den;
    video.seconds =
        reader.format->duration == AV_NOPTS_VALUE ? 0 : reader.format->duration / double(AV_TIME_BASE);
    video.width = parameters->width;
    video.height = parameters->height;
    video.fullRange = parameters->color_range == AVCOL_RANGE_JPEG;
    const AVCodec* decoder = avcodec_find_decoder(parameters->codec_id);
    reader.codec = decoder ? avcodec_alloc_context3(decoder) : nullptr;
    if (!reader.codec || avcodec_parameters_to_context(reader.codec, parameters) < 0 ||
        (result = avcodec_open2(reader.codec, decoder, nullptr)) < 0) {
        video.error = describe("open the decoder", result);
        return video;
    }
    while ((result = av_read_frame(reader.format, reader.packet)) >= 0) {
        if (reader.packet->stream_index == 0) {
            result = avcodec_send_packet(reader.codec, reader.packet);
            if (result < 0) {
                video.error = describe("decode", result);
                return video;
            }
        }
        av_packet_unref(reader.packet);
        if (!takeFrames(reader, video, keep)) {
            return video;
        }
    }
    if (result != AVERROR_EOF) {
        video.error = describe("read", result);
        return video;
    }
    avcodec_send_packet(reader.codec, nullptr);
    takeFrames(reader, video, keep);
    return video;
}
