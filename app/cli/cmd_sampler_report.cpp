// orvane sampler-report: how evenly and how densely the quasi-sampler places points.
#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "KxCliCommon.h"
#include "sampling/KxQuasisampler.h"
#include "sampling/KxSamplingStats.h"

namespace KxCli {

const char* const Sampler_Report_Help =
    "Usage: orvane sampler-report [--importance I] [--size N] [--out DIR]\n\n"
    "Samples an N x N square with the hierarchical tile quasi-sampler (subdivide level 10,\n"
    "as the splat sampler does) twice: with the constant importance I, and with a ramp\n"
    "from 0 at the left edge to I at the right edge. For each it prints the point count\n"
    "against the expected 0.1 x importance per square, and the mean and the smallest\n"
    "nearest-neighbour distance relative to the spacing of a hexagonal lattice of the same\n"
    "density, d = sqrt(2 A / (sqrt(3) n)) (random points give about 0.47, good blue noise\n"
    "0.75 and more). Only points at least 2 d inside the square are measured; for the ramp\n"
    "d is the local spacing that the importance at each point asks for (density\n"
    "0.1 x importance / N^2).\n\n"
    "  --importance I   importance, 1 ... 200000 (default 25500 = 255 x density 100)\n"
    "  --size N         side of the square in pixels, 16 ... 4096 (default 512)\n"
    "  --out DIR        folder for the pictures, created if missing (default sampler-report):\n"
    "                   points.png (constant and ramp side by side) and spectrum.png\n"
    "                   (power spectrum of the constant case: 2-D, and radially averaged\n"
    "                   against frequency in cycles per hexagonal spacing; 1 = random points)\n\n"
    "The last line reads: points=N expected=E mean_nn_rel=X min_rel=Y (constant case).\n\n"
    "Exit status: 0 success, 1 the pictures cannot be written, 2 usage error.\n";

namespace {

constexpr unsigned int kSubdivideLevel = 10;

/// Importance as a function of the point, over a square.
class Function_Sampler : public PelmoSampler::Quasisampler {
public:
    Function_Sampler(double side, unsigned int importance, bool ramp)
        : Quasisampler(side, side), m_Importance(importance), m_Ramp(ramp)
    {
    }
    unsigned int getImportanceAt(PelmoSampler::Point2D pt) override
    {
        return m_Ramp ? static_cast<unsigned int>(m_Importance * (pt.x / width)) : m_Importance;
    }

private:
    unsigned int m_Importance;
    bool m_Ramp;
};

bool Parse_Unsigned(const std::string& text, unsigned long low, unsigned long high, unsigned long& value)
{
    if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    value = std::stoul(text);
    return value >= low && value <= high;
}

std::string Fixed(double v, int digits)
{
    std::ostringstream s;
    s.setf(std::ios::fixed);
    s.precision(digits);
    s << v;
    return s.str();
}

/// Draws the points (y up) as black dots on white, into the columns [x0, x0 + n) of picture.
void Draw_Points(cv::Mat& picture, int x0, int n, const PelmoSampler::Quasisampler::PointList& points)
{
    cv::rectangle(picture, cv::Rect(x0, 0, n, n), cv::Scalar(255), cv::FILLED);
    for (const auto& p : points)
        cv::circle(picture, cv::Point(x0 + static_cast<int>(p.x), n - 1 - static_cast<int>(p.y)), 1, cv::Scalar(0),
                   cv::FILLED, cv::LINE_8);
}

struct Spectrum {
    cv::Mat image;              // log power, centred, 8-bit
    std::vector<double> radial; // mean power per integer radius (cycles per side)
};

/// Power spectrum |DFT|^2 / n of the points' impulse image (1 at each point's pixel).
Spectrum Power_Spectrum(int n, const PelmoSampler::Quasisampler::PointList& points)
{
    cv::Mat impulses = cv::Mat::zeros(n, n, CV_32F);
    for (const auto& p : points) impulses.at<float>(n - 1 - static_cast<int>(p.y), static_cast<int>(p.x)) += 1.0f;
    cv::Mat complex;
    cv::dft(impulses, complex, cv::DFT_COMPLEX_OUTPUT);
    cv::Mat planes[2];
    cv::split(complex, planes);
    cv::Mat power;
    cv::magnitude(planes[0], planes[1], power);
    power = power.mul(power) / std::max<double>(1.0, static_cast<double>(points.size()));

    Spectrum s;
    const int half = n / 2;
    std::vector<double> sum(half + 1, 0.0);
    std::vector<int> count(half + 1, 0);
    cv::Mat centred(n, n, CV_32F);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            const int fy = r <= half ? r : r - n, fx = c <= half ? c : c - n;
            const float v = power.at<float>(r, c);
            centred.at<float>((fy + n + half) % n, (fx + n + half) % n) = v;
            const int radius = static_cast<int>(std::lround(std::hypot(fx, fy)));
            if ((fx || fy) && radius <= half) {
                sum[radius] += v;
                ++count[radius];
            }
        }
    s.radial.assign(half + 1, 0.0);
    for (int k = 1; k <= half; ++k) s.radial[k] = count[k] ? sum[k] / count[k] : 0.0;
    centred.at<float>(half, half) = 0; // the mean (n points) would swamp the picture
    cv::Mat logp;
    cv::log(centred + 1.0f, logp);
    double high = 0;
    cv::minMaxLoc(logp, nullptr, &high);
    logp.convertTo(s.image, CV_8U, high > 0 ? 255.0 / high : 1.0);
    return s;
}

/// The radial average as a curve: x = frequency in cycles per hexagonal spacing (0 ... 2),
/// y = power (0 ... 3), a dashed line at 1 (random points).
cv::Mat Plot_Radial(const std::vector<double>& radial, int n, double spacing, int height)
{
    const int width = 2 * height;
    cv::Mat plot(height, width, CV_8U, cv::Scalar(255));
    const double fmax = 2.0, pmax = 3.0;
    auto to_px = [&](double f, double p) {
        return cv::Point(static_cast<int>(f / fmax * (width - 1)),
                         height - 1 - static_cast<int>(std::min(p, pmax) / pmax * (height - 1)));
    };
    for (double f = 0; f < fmax; f += 0.05) cv::line(plot, to_px(f, 1.0), to_px(f + 0.025, 1.0), cv::Scalar(160));
    cv::line(plot, to_px(1.0, 0), to_px(1.0, pmax), cv::Scalar(200)); // one cycle per spacing
    cv::Point last(-1, -1);
    for (std::size_t k = 1; k < radial.size(); ++k) {
        const double f = static_cast<double>(k) / n * spacing; // cycles per pixel x pixels per spacing
        if (f > fmax) break;
        const cv::Point p = to_px(f, radial[k]);
        if (last.x >= 0) cv::line(plot, last, p, cv::Scalar(0), 1, cv::LINE_AA);
        last = p;
    }
    return plot;
}

bool Write_Png(const std::filesystem::path& path, const cv::Mat& image)
{
    try {
        return cv::imwrite(path.string(), image);
    } catch (const cv::Exception&) {
        return false;
    }
}

} // namespace

int Run_Sampler_Report(KxCArgs& args)
{
    unsigned long importance = 25500, size = 512;
    std::string out_dir = "sampler-report";
    while (!args.Empty()) {
        std::string value;
        bool missing = false;
        if (args.Take_Value("--importance", value, missing)) {
            if (missing || !Parse_Unsigned(value, 1, 200000, importance))
                return Usage_Error("sampler-report", "--importance takes a whole number from 1 to 200000");
        } else if (args.Take_Value("--size", value, missing)) {
            if (missing || !Parse_Unsigned(value, 16, 4096, size))
                return Usage_Error("sampler-report", "--size takes a whole number from 16 to 4096");
        } else if (args.Take_Value("--out", value, missing)) {
            if (missing || value.empty()) return Usage_Error("sampler-report", "--out takes a folder");
            out_dir = value;
        } else {
            return Usage_Error("sampler-report", "unexpected argument '" + args.Peek() + "'");
        }
    }
    const int n = static_cast<int>(size);
    const double side = static_cast<double>(size), area = side * side;
    const unsigned int imp = static_cast<unsigned int>(importance);

    PelmoSampler::Quasisampler::PointList constant, ramp;
    {
        Function_Sampler sampler(side, imp, false);
        sampler.getSamplingPoints(constant, kSubdivideLevel);
    }
    {
        Function_Sampler sampler(side, imp, true);
        sampler.getSamplingPoints(ramp, kSubdivideLevel);
    }

    // Constant importance: one spacing for the whole square.
    const double expected = 0.1 * imp;
    const double spacing = PelmoSampler::hexSpacing(area, static_cast<double>(constant.size()));
    const PelmoSampler::SpacingStats cs = PelmoSampler::uniformSpacingStats(constant, side, side, 2.0);
    std::cout << "Constant importance " << imp << " over " << n << " x " << n << ":\n"
              << "  points " << constant.size() << ", expected " << expected << " (0.1 x importance), ratio "
              << Fixed(expected > 0 ? constant.size() / expected : 0.0, 3) << "\n"
              << "  nearest-neighbour distance / hexagonal spacing (d = " << Fixed(spacing, 2) << " px, "
              << cs.count << " points 2 d inside): mean " << Fixed(cs.mean_rel, 3) << ", min "
              << Fixed(cs.min_rel, 3) << "\n";

    // Ramp: the local spacing the importance asks for.
    const double ramp_expected = 0.05 * imp;
    const double per_importance = 0.1 / area; // points per pixel and unit of importance
    const PelmoSampler::SpacingStats rs = PelmoSampler::spacingStats(
        ramp, side, side,
        [&](const PelmoSampler::Point2D& p) {
            const double local = imp * (p.x / side) * per_importance;
            return local > 0 ? std::sqrt(2.0 / (std::sqrt(3.0) * local)) : 0.0;
        },
        2.0);
    std::cout << "Ramp importance 0 ... " << imp << " from left to right:\n"
              << "  points " << ramp.size() << ", expected " << ramp_expected << ", ratio "
              << Fixed(ramp_expected > 0 ? ramp.size() / ramp_expected : 0.0, 3) << "\n"
              << "  nearest-neighbour distance / local hexagonal spacing (" << rs.count
              << " points 2 local spacings inside): mean " << Fixed(rs.mean_rel, 3) << ", min "
              << Fixed(rs.min_rel, 3) << "\n";

    // Pictures.
    const std::filesystem::path dir(out_dir);
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec || !std::filesystem::is_directory(dir)) {
        std::cerr << "orvane sampler-report: cannot create folder '" << out_dir << "'"
                  << (ec ? ": " + ec.message() : std::string()) << std::endl;
        return Exit_Failure;
    }
    cv::Mat points_picture(n, 2 * n + 8, CV_8U, cv::Scalar(128));
    Draw_Points(points_picture, 0, n, constant);
    Draw_Points(points_picture, n + 8, n, ramp);
    const Spectrum spectrum = Power_Spectrum(n, constant);
    const cv::Mat plot = Plot_Radial(spectrum.radial, n, spacing, n);
    cv::Mat spectrum_picture(n, n + 8 + plot.cols, CV_8U, cv::Scalar(128));
    spectrum.image.copyTo(spectrum_picture(cv::Rect(0, 0, n, n)));
    plot.copyTo(spectrum_picture(cv::Rect(n + 8, 0, plot.cols, plot.rows)));
    for (const auto& [name, image] : {std::pair<const char*, const cv::Mat*>{"points.png", &points_picture},
                                      std::pair<const char*, const cv::Mat*>{"spectrum.png", &spectrum_picture}}) {
        if (!Write_Png(dir / name, *image)) {
            std::cerr << "orvane sampler-report: cannot write '" << (dir / name).string() << "'" << std::endl;
            return Exit_Failure;
        }
    }
    // Radial spectrum summary: mean power below half a cycle per spacing (blue noise keeps it low).
    double low = 0;
    int low_count = 0;
    for (std::size_t k = 1; k < spectrum.radial.size(); ++k)
        if (static_cast<double>(k) / n * spacing < 0.5) {
            low += spectrum.radial[k];
            ++low_count;
        }
    std::cout << "Radial power spectrum (constant): mean power below 0.5 cycles per spacing "
              << Fixed(low_count ? low / low_count : 0.0, 3) << " (random points: 1)\n"
              << "Wrote " << (dir / "points.png").string() << " and " << (dir / "spectrum.png").string() << "\n";
    std::cout << "points=" << constant.size() << " expected=" << expected << " mean_nn_rel=" << Fixed(cs.mean_rel, 3)
              << " min_rel=" << Fixed(cs.min_rel, 3) << std::endl;
    return Exit_Ok;
}

} // namespace KxCli
