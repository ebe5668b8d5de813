#include "imaging/ColorSuggest.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// Histogram cells: 5 bits of each of red, green and blue.
constexpr int kCellBits = 5;
constexpr int kCellCount = 1 << (3 * kCellBits);
constexpr int kClusterCount = 12;
constexpr int kMaxIterations = 10;
// CIELAB values are held in tenths.
constexpr int64_t kGreyChroma = 80;      // a colour of chroma below 8 counts as grey
constexpr int64_t kChromaBias = 160;     // score = hue family share x (chroma + 16)
constexpr int64_t kMinSharePermille = 5; // a cluster smaller than 0.5 % is no candidate
// Two hues are one family when the angle between them has a cosine of at least 28/29 (15.1 degrees).
constexpr int64_t kSameHueCosNum = 28;
constexpr int64_t kSameHueCosDen = 29;

struct Lab {
    int64_t l = 0; // tenths
    int64_t a = 0;
    int64_t b = 0;
};

int64_t Distance2(const Lab& x, const Lab& y)
{
    const int64_t dl = x.l - y.l;
    const int64_t da = x.a - y.a;
    const int64_t db = x.b - y.b;
    return dl * dl + da * da + db * db;
}

// One histogram cell that received samples: the sums of its samples' channels.
struct Cell {
    int64_t count = 0;
    int64_t red = 0;
    int64_t green = 0;
    int64_t blue = 0;
    Lab lab;
};

struct Cluster {
    Lab centre;
    int64_t count = 0;
    int64_t red = 0;
    int64_t green = 0;
    int64_t blue = 0;
    int64_t chroma = 0; // tenths
};

// sRGB byte -> linear light, once.
const std::array<double, 256>& LinearTable()
{
    static const std::array<double, 256> table = [] {
        std::array<double, 256> values{};
        for (int i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            values[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return values;
    }();
    return table;
}

double LabF(double t)
{
    constexpr double kDelta = 6.0 / 29.0;
    return t > kDelta * kDelta * kDelta ? std::cbrt(t) : t / (3 * kDelta * kDelta) + 4.0 / 29.0;
}

// CIELAB (D65) of an sRGB colour, rounded to tenths: the only floating-point step.
Lab ToLab(int red, int green, int blue)
{
    const auto& linear = LinearTable();
    const double r = linear[red];
    const double g = linear[green];
    const double b = linear[blue];
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
    const double fx = LabF(x);
    const double fy = LabF(y);
    const double fz = LabF(z);
    return {std::llround((116 * fy - 16) * 10), std::llround(500 * (fx - fy) * 10),
            std::llround(200 * (fy - fz) * 10)};
}

int64_t RoundedMean(int64_t sum, int64_t count)
{
    return (2 * sum + count) / (2 * count); // sums are never negative
}

// Reads pixels of any format as unpremultiplied ARGB, directly from the rows for 32-bit ones.
class PixelReader {
public:
    explicit PixelReader(const QImage& picture)
        : m_picture(picture),
          m_direct(picture.format() == QImage::Format_ARGB32 || picture.format() == QImage::Format_RGB32),
          m_premultiplied(picture.pixelFormat().premultiplied() == QPixelFormat::Premultiplied)
    {
    }
    QRgb operator()(int x, int y) const
    {
        if (m_direct)
            return reinterpret_cast<const QRgb*>(m_picture.constScanLine(y))[x];
        const QRgb pixel = m_picture.pixel(x, y);
        return m_premultiplied ? qUnpremultiply(pixel) : pixel;
    }

private:
    const QImage& m_picture;
    bool m_direct;
    bool m_premultiplied;
};

bool IsOpaque(QRgb pixel)
{
    return qAlpha(pixel) >= 128;
}

// One sample per grid point: the mean of the opaque pixels of the 3 x 3 block around it, so that
// grain and sensor noise do not read as colours. A point whose own pixel is transparent is skipped.
std::vector<Cell> SampleCells(const QImage& picture, const QRect& area)
{
    std::vector<Cell> histogram(kCellCount);
    const int step = SuggestSampleStep(area.width(), area.height());
    const PixelReader read(picture);
    for (int y = area.top() + step / 2; y <= area.bottom(); y += step) {
        for (int x = area.left() + step / 2; x <= area.right(); x += step) {
            if (!IsOpaque(read(x, y)))
                continue;
            int n = 0;
            int sums[3] = {0, 0, 0};
            for (int by = std::max(y - 1, area.top()); by <= std::min(y + 1, area.bottom()); ++by) {
                for (int bx = std::max(x - 1, area.left()); bx <= std::min(x + 1, area.right()); ++bx) {
                    const QRgb pixel = read(bx, by);
                    if (!IsOpaque(pixel))
                        continue;
                    ++n;
                    sums[0] += qRed(pixel);
                    sums[1] += qGreen(pixel);
                    sums[2] += qBlue(pixel);
                }
            }
            const int r = (2 * sums[0] + n) / (2 * n);
            const int g = (2 * sums[1] + n) / (2 * n);
            const int b = (2 * sums[2] + n) / (2 * n);
            constexpr int kShift = 8 - kCellBits;
            Cell& cell =
                histogram[(r >> kShift) << (2 * kCellBits) | (g >> kShift) << kCellBits | b >> kShift];
            ++cell.count;
            cell.red += r;
            cell.green += g;
            cell.blue += b;
        }
    }
    std::vector<Cell> cells;
    for (Cell& cell : histogram) {
        if (cell.count == 0)
            continue;
        cell.lab = ToLab(static_cast<int>(RoundedMean(cell.red, cell.count)),
                         static_cast<int>(RoundedMean(cell.green, cell.count)),
                         static_cast<int>(RoundedMean(cell.blue, cell.count)));
        cells.push_back(cell);
    }
    return cells;
}

// Seeds: the heaviest cell, then again and again the cell that is heavy and far from every seed
// so far (the greatest count x squared distance). No randomness: ties go to the lower cell.
std::vector<Lab> Seeds(const std::vector<Cell>& cells)
{
    std::vector<Lab> seeds;
    std::vector<int64_t> nearest(cells.size(), std::numeric_limits<int64_t>::max());
    size_t best = 0;
    for (size_t i = 1; i < cells.size(); ++i) {
        if (cells[i].count > cells[best].count)
            best = i;
    }
    while (static_cast<int>(seeds.size()) < kClusterCount) {
        seeds.push_back(cells[best].lab);
        int64_t bestWeight = 0;
        for (size_t i = 0; i < cells.size(); ++i) {
            nearest[i] = std::min(nearest[i], Distance2(cells[i].lab, seeds.back()));
            const int64_t weight = cells[i].count * nearest[i];
            if (weight > bestWeight) {
                bestWeight = weight;
                best = i;
            }
        }
        if (bestWeight == 0)
            break;
    }
    return seeds;
}

// Weighted k-means over the cells; centres are rounded to tenths after every update.
std::vector<Cluster> Clusters(const std::vector<Cell>& cells)
{
    const std::vector<Lab> seeds = Seeds(cells);
    std::vector<Cluster> clusters(seeds.size());
    for (size_t k = 0; k < seeds.size(); ++k)
        clusters[k].centre = seeds[k];
    std::vector<size_t> owner(cells.size(), seeds.size());
    for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
        bool changed = false;
        for (size_t i = 0; i < cells.size(); ++i) {
            size_t best = 0;
            int64_t bestDistance = Distance2(cells[i].lab, clusters[0].centre);
            for (size_t k = 1; k < clusters.size(); ++k) {
                const int64_t distance = Distance2(cells[i].lab, clusters[k].centre);
                if (distance < bestDistance) {
                    bestDistance = distance;
                    best = k;
                }
            }
            changed = changed || owner[i] != best;
            owner[i] = best;
        }
        std::vector<Lab> sums(clusters.size());
        for (Cluster& cluster : clusters)
            cluster.count = 0;
        for (size_t i = 0; i < cells.size(); ++i) {
            Lab& sum = sums[owner[i]];
            sum.l += cells[i].count * cells[i].lab.l;
            sum.a += cells[i].count * cells[i].lab.a;
            sum.b += cells[i].count * cells[i].lab.b;
            clusters[owner[i]].count += cells[i].count;
        }
        for (size_t k = 0; k < clusters.size(); ++k) {
            const auto n = static_cast<double>(clusters[k].count);
            if (n > 0)
                clusters[k].centre = {std::llround(static_cast<double>(sums[k].l) / n),
                                      std::llround(static_cast<double>(sums[k].a) / n),
                                      std::llround(static_cast<double>(sums[k].b) / n)};
        }
        if (!changed)
            break;
    }
    for (size_t i = 0; i < cells.size(); ++i) {
        Cluster& cluster = clusters[owner[i]];
        cluster.red += cells[i].red;
        cluster.green += cells[i].green;
        cluster.blue += cells[i].blue;
    }
    for (Cluster& cluster : clusters) {
        const Lab& c = cluster.centre;
        cluster.chroma = static_cast<int64_t>(std::sqrt(static_cast<double>(c.a * c.a + c.b * c.b)));
    }
    return clusters;
}

bool IsGrey(const Cluster& cluster)
{
    return cluster.chroma < kGreyChroma;
}

// Both chromatic; the angle between their (a, b) vectors is at most about 15 degrees.
bool SameHue(const Cluster& x, const Cluster& y)
{
    const int64_t dot = x.centre.a * y.centre.a + x.centre.b * y.centre.b;
    if (dot <= 0)
        return false;
    const int64_t lengths2 = (x.centre.a * x.centre.a + x.centre.b * x.centre.b) *
                             (y.centre.a * y.centre.a + y.centre.b * y.centre.b);
    return dot * dot * (kSameHueCosDen * kSameHueCosDen) >= lengths2 * (kSameHueCosNum * kSameHueCosNum);
}

ColorSuggestion Suggestion(const Cluster& cluster, int64_t familyCount, int64_t total)
{
    ColorSuggestion suggestion;
    suggestion.color = MakeColorRef(static_cast<int>(RoundedMean(cluster.red, cluster.count)),
                                    static_cast<int>(RoundedMean(cluster.green, cluster.count)),
                                    static_cast<int>(RoundedMean(cluster.blue, cluster.count)));
    if (suggestion.color == 0)
        suggestion.color = MakeColorRef(1, 1, 1);
    suggestion.sharePermille = static_cast<int>((familyCount * 1000 + total / 2) / total);
    suggestion.hue = static_cast<int>(RgbToHsl(suggestion.color).h * 360 + 0.5) % 360;
    return suggestion;
}

} // namespace

int SuggestSampleStep(int width, int height)
{
    if (width <= 0 || height <= 0)
        return 1;
    int step = 1;
    while (static_cast<int64_t>((width + step - 1) / step) * ((height + step - 1) / step) >
           kMaxSuggestSamples)
        ++step;
    return step;
}

std::vector<ColorSuggestion> SuggestColors(const QImage& picture, const SkinRect& crop)
{
    // Clipped in 64 bits: any 32-bit crop, however far outside, is safe.
    const int64_t left = std::max<int64_t>(crop.left, 0);
    const int64_t top = std::max<int64_t>(crop.top, 0);
    const int64_t right = std::min<int64_t>(crop.right, picture.width());
    const int64_t bottom = std::min<int64_t>(crop.bottom, picture.height());
    if (picture.isNull() || left >= right || top >= bottom)
        return {};
    const QRect area(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                     static_cast<int>(bottom - top));
    const std::vector<Cell> cells = SampleCells(picture, area);
    if (cells.empty())
        return {};
    const std::vector<Cluster> clusters = Clusters(cells);
    int64_t total = 0;
    for (const Cluster& cluster : clusters)
        total += cluster.count;

    std::vector<size_t> candidates;
    for (size_t k = 0; k < clusters.size(); ++k) {
        if (!IsGrey(clusters[k]) && clusters[k].count * 1000 >= kMinSharePermille * total)
            candidates.push_back(k);
    }
    if (candidates.empty()) {
        // A grey picture: its largest cluster, standing for all its greys.
        size_t largest = 0;
        int64_t greys = 0;
        for (size_t k = 0; k < clusters.size(); ++k) {
            if (clusters[k].count > clusters[largest].count)
                largest = k;
            if (IsGrey(clusters[k]))
                greys += clusters[k].count;
        }
        return {Suggestion(clusters[largest], greys, total)};
    }

    // A hue family: every chromatic cluster within 15 degrees of hue.
    std::vector<int64_t> family(clusters.size(), 0);
    for (const size_t k : candidates) {
        for (const Cluster& other : clusters) {
            if (!IsGrey(other) && SameHue(clusters[k], other))
                family[k] += other.count;
        }
    }
    const auto score = [&](size_t k) { return family[k] * (clusters[k].chroma + kChromaBias); };
    std::sort(candidates.begin(), candidates.end(), [&](size_t x, size_t y) {
        if (score(x) != score(y))
            return score(x) > score(y);
        if (clusters[x].count != clusters[y].count)
            return clusters[x].count > clusters[y].count;
        return x < y;
    });
    std::vector<ColorSuggestion> suggestions;
    std::vector<size_t> chosen;
    for (const size_t k : candidates) {
        const bool nearChosen = std::any_of(chosen.begin(), chosen.end(),
                                            [&](size_t c) { return SameHue(clusters[c], clusters[k]); });
        if (nearChosen)
            continue;
        chosen.push_back(k);
        suggestions.push_back(Suggestion(clusters[k], family[k], total));
        if (static_cast<int>(suggestions.size()) == kMaxColorSuggestions)
            break;
    }
    return suggestions;
}
