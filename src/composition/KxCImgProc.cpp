#include "composition/KxCImgProc.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <vector>

#include "pipeline/params/KxCDecalGParam.h"
#include "pipeline/util/KxDebug.h"

namespace OrvaneImage {

namespace {

const char* const kClass = "KxCImgProc";

/// Runs of consecutive candidate points (state 1), each as its index list in
/// walking order. Candidates are taken from the top of the stack, so the run
/// holding the highest candidate index comes first; runs may wrap past n - 1.
std::vector<std::vector<int>> Find_Runs(std::vector<int>& state, std::vector<int>& stack)
{
    const int n = static_cast<int>(state.size());
    std::vector<std::vector<int>> runs;
    while (!stack.empty()) {
        const int k = stack.back();
        stack.pop_back();
        if (state[k] != 1) continue;
        state[k] = 2;
        int i = (k + 1) % n;
        while (state[i] == 1) {
            state[i] = 2;
            i = (i + 1) % n;
        }
        const int last = (i - 1 + n) % n;
        i = (k - 1 + n) % n;
        while (state[i] == 1) {
            state[i] = 2;
            i = (i - 1 + n) % n;
        }
        const int first = (i + 1) % n;
        const int count = (last - first + n) % n + 1;
        std::vector<int> run(count);
        for (int j = 0; j < count; ++j) run[j] = (first + j) % n;
        runs.push_back(std::move(run));
    }
    return runs;
}

/// Cuts one run into pieces: a piece starts at the run's first index and again
/// each time the arc walked since the last start reaches spacing; it holds the
/// indices within length of its start. Only pieces closed by the spacing get
/// their magnitude sum.
void Cut_Run(const std::vector<int>& run, const KxCLineSeg& contour, double spacing, double length,
             std::vector<KxCIdxSeg*>& pieces)
{
    const auto& pts = contour.Points();
    const auto& mags = contour.Magnitudes();
    KxCIdxSeg* piece = nullptr;
    double arc = 0.0, sum = 0.0;
    for (std::size_t j = 0; j < run.size(); ++j) {
        const int idx = run[j];
        if (j == 0) {
            piece = new KxCIdxSeg;
            piece->Indices().push_back(idx);
            pieces.push_back(piece);
            sum = mags[idx];
            arc = 0.0;
            continue;
        }
        const int prev = run[j - 1];
        const double dx = double(pts[idx][0]) - double(pts[prev][0]);
        const double dy = double(pts[idx][1]) - double(pts[prev][1]);
        arc += std::sqrt(dx * dx + dy * dy);
        if (arc <= length) {
            piece->Indices().push_back(idx);
            sum += mags[idx];
        }
        if (arc >= spacing) {
            piece->Magnitude() = sum;
            piece = new KxCIdxSeg;
            piece->Indices().push_back(idx);
            pieces.push_back(piece);
            sum = mags[idx];
            arc = 0.0;
        }
    }
}

} // namespace

bool KxCImgProc::Find_Bounding_Info(const cv::Mat* image, cv::Rect& rect, KxCCntrData* contours, unsigned margin)
{
    if (!image || !contours) return false;
    if (image->channels() > 1) {
        Throw_Debug_Msg(kClass, "Find_Bounding_Info", "Source image must be single channel");
        return false;
    }
    if (image->empty()) return false;

    // The comparison makes the searched copy and maps any non-zero value, of any depth, to foreground.
    cv::Mat work = (*image != 0);
    std::vector<std::vector<cv::Point>> found;
    cv::findContours(work, found, cv::RETR_LIST, cv::CHAIN_APPROX_NONE, cv::Point(0, 0));
    if (found.empty()) return false;

    cv::Rect all;
    std::vector<double> lengths(found.size());
    std::size_t longest = 0;
    for (std::size_t i = 0; i < found.size(); ++i) {
        const cv::Rect r = cv::boundingRect(found[i]);
        all = i == 0 ? r : (all | r);
        lengths[i] = cv::arcLength(found[i], true);
        if (lengths[i] > lengths[longest]) longest = i;
    }
    const bool multi = contours->is_Multi();
    const cv::Rect base = multi ? all : cv::boundingRect(found[longest]);

    const long long m = margin;
    const long long x0 = std::max(0LL, base.x - m);
    const long long y0 = std::max(0LL, base.y - m);
    const long long x1 = std::min<long long>(image->cols - 1, base.x + base.width - 1 + m);
    const long long y1 = std::min<long long>(image->rows - 1, base.y + base.height - 1 + m);
    rect = cv::Rect(int(x0), int(y0), int(x1 - x0 + 1), int(y1 - y0 + 1));

    contours->Clear();
    auto add = [&](std::size_t i) {
        auto* seg = new KxCLineSeg;
        seg->Length() = lengths[i];
        auto& pts = seg->Points();
        pts.reserve(found[i].size());
        for (const cv::Point& p : found[i]) pts.emplace_back(short(p.x - x0), short(p.y - y0));
        contours->Contours().push_back(seg);
    };
    if (multi)
        for (std::size_t i = 0; i < found.size(); ++i) add(i);
    else
        add(longest);
    contours->Cal_Length();
    return true;
}

void KxCImgProc::Compute_Curvature(const cv::Mat* image, KxCCntrData* contours)
{
    if (!image || !contours || image->empty() || image->channels() != 1) return;

    // The corner detector takes 8-bit or float input only.
    cv::Mat source = *image;
    if (source.depth() != CV_8U && source.depth() != CV_32F) image->convertTo(source, CV_32F);
    cv::Mat corner, strength;
    cv::cornerMinEigenVal(source, corner, 5, 3);
    // Spreading the corner response lets the contour pixels, which sit beside the corner, pick it up.
    cv::dilate(corner, strength, cv::Mat());
    cv::dilate(strength, strength, cv::Mat());

    for (KxCLineSeg* c : contours->Contours()) {
        if (!c) continue;
        const auto& pts = c->Points();
        auto& mags = c->Magnitudes();
        mags.assign(pts.size(), 0.0);
        double lo = 1e9, hi = -1e9;
        for (std::size_t i = 0; i < pts.size(); ++i) {
            // Points off the image read the nearest edge pixel rather than stray memory.
            const int x = std::clamp<int>(pts[i][0], 0, strength.cols - 1);
            const int y = std::clamp<int>(pts[i][1], 0, strength.rows - 1);
            mags[i] = strength.at<float>(y, x);
            lo = std::min(lo, mags[i]);
            hi = std::max(hi, mags[i]);
        }
        double range = std::fabs(hi - lo);
        if (range < 1e-06) range = 1.0;
        for (double& v : mags) v = (v - lo) / range;
    }
}

bool KxCImgProc::Break_Contour(KxCCntrData* contours, const KxCBrkParam* params)
{
    if (!contours || !params) return false;
    contours->Clear_Segments();

    for (const KxCLineSeg* c : contours->Contours()) {
        if (!c || !c->has_Mags()) {
            Throw_Debug_Msg(kClass, "Break_Contour", "Invalid magnitudes");
            return false;
        }
        const auto& mags = c->Magnitudes();
        const int n = c->Length2();
        const double threshold = params->Mag_Ratio() * *std::max_element(mags.begin(), mags.end());
        const double spacing = params->Smpl_Ratio() * c->Length();
        const double length = params->Lnth_Ratio() * spacing;

        std::vector<int> state(n, 0), stack;
        stack.reserve(n);
        for (int i = 0; i < n; ++i)
            if (mags[i] <= threshold) {
                state[i] = 1;
                stack.push_back(i);
            }

        std::vector<KxCIdxSeg*> pieces;
        for (const auto& run : Find_Runs(state, stack)) Cut_Run(run, *c, spacing, length, pieces);
        contours->Segments().push_back(std::move(pieces));
    }
    return true;
}

} // namespace OrvaneImage
