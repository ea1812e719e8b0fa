#pragma once
// A video file encoded as the frames come (FFmpeg's libraries): the frames are converted to 4:2:0 in the
// video range on the queue's workers, and encoded and muxed in capture order. The file is written under a
// name of its own (see platform/whole_file.h) and renamed when its trailer is written, so a file of that
// name plays whole; after a failure, or a second SIGINT or SIGTERM, the new file is removed and an earlier
// file of that name stays as it was.
#include "platform/whole_file.h"
#include "runner/capture/frame_sink.h"
#include "runner/capture/video_container.h"

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;

namespace runner {

class VideoSink final : public FrameSink {
public:
    // `fps`: frames a second of the stream (0: 30); `quality`: the constant rate factor (-1: the
    // container's default).
    VideoSink(std::string path, const VideoContainer& container, int fps, int quality);
    ~VideoSink() override;
    VideoSink(const VideoSink&) = delete;
    VideoSink& operator=(const VideoSink&) = delete;

    // The stream's size: the first frame's, made even for H.264.
    void begin(int width, int height) override;
    bool encode(const CapturedFrame& frame, std::vector<std::uint8_t>& encoded,
                std::string& error) const override;
    bool store(const CapturedFrame& frame, const std::vector<std::uint8_t>& encoded,
               std::string& error) override;
    bool finish(std::string& error) override;

private:
    bool open(std::string& error);
    // Sends a picture (null: the end of the stream) and writes the packets the encoder has ready.
    bool send(const AVFrame* picture, std::string& error);
    void discard();

    std::string path_;
    platform::ReplacingFile file_;
    const VideoContainer& container_;
    int fps_;
    int quality_;
    int width_ = 0;
    int height_ = 0;
    AVFormatContext* format_ = nullptr;
    AVCodecContext* codec_ = nullptr;
    AVFrame* picture_ = nullptr;
    AVPacket* packet_ = nullptr;
    long long frames_ = 0;
    bool failed_ = false;
};

// A VideoSink; in a build without video encoding, which refuses video captures with the options, null.
std::unique_ptr<FrameSink> makeVideoSink(const std::string& path, const VideoContainer& container, int fps,
                                         int quality);

} // namespace runner
