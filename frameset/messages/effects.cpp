#include "frameset/messages/effects.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace kadr::messages {
namespace {

using playback::kDisplayColumns;

constexpr std::uint16_t kAllRows = (1U << kDotRows) - 1;
constexpr int kLastColumn = kDisplayColumns - 1;  // 27
constexpr int kLastRow = kDotRows - 1;            // 13
// The centre line lies between these two columns.
constexpr int kCentreLeft = kDisplayColumns / 2 - 1;  // 13
constexpr int kCentreRight = kDisplayColumns / 2;     // 14

bool Empty(const Picture& picture) {
    return std::all_of(picture.columns.begin(), picture.columns.end(),
                       [](std::uint16_t mask) { return mask == 0; });
}

// The picture without the dots in columns first..last.
Picture WithoutColumns(const Picture& picture, int first, int last) {
    Picture out = picture;
    for (int c = std::max(first, 0); c <= std::min(last, kLastColumn); ++c) {
        out.columns[static_cast<std::size_t>(c)] = 0;
    }
    return out;
}

// Partial pictures of R in the order they are to be shown, cut down to those worth a frame:
// none empty, none equal to R (which comes before an exit and after an entry), none equal to
// the one before it.
std::vector<Picture> Distinct(const std::vector<Picture>& candidates, const Picture& rest) {
    std::vector<Picture> kept;
    for (const Picture& picture : candidates) {
        if (Empty(picture) || picture == rest || (!kept.empty() && picture == kept.back())) {
            continue;
        }
        kept.push_back(picture);
    }
    return kept;
}

// A fixed pseudo-random order (splitmix64 and Fisher-Yates written out here, since the
// standard's shuffle may differ between libraries) of R's lit dots, each as column * 16 + row.
std::vector<int> DissolveOrder(const Picture& picture) {
    std::vector<int> dots;
    for (int c = 0; c < kDisplayColumns; ++c) {
        for (int r = 0; r < kDotRows; ++r) {
            if (picture.Lit(c, r)) {
                dots.push_back(c * 16 + r);
            }
        }
    }
    std::uint64_t state = 0x4b61647230313721ULL;
    const auto next = [&state] {
        std::uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    };
    for (std::size_t i = dots.size(); i > 1; --i) {
        std::swap(dots[i - 1], dots[static_cast<std::size_t>(next() % i)]);
    }
    return dots;
}

// Step k of dissolve's kDissolveSteps: the first dots of the order (entry), or all but them.
std::vector<Picture> DissolvePictures(const Picture& rest, bool exit) {
    const std::vector<int> order = DissolveOrder(rest);
    const int total = static_cast<int>(order.size());
    std::vector<Picture> pictures;
    for (int k = 1; k < kDissolveSteps; ++k) {
        const int shown = (total * k + kDissolveSteps / 2) / kDissolveSteps;
        Picture picture;
        for (int i = exit ? shown : 0; i < (exit ? total : shown); ++i) {
            const int dot = order[static_cast<std::size_t>(i)];
            picture.SetLit(dot / 16, dot % 16, true);
        }
        pictures.push_back(picture);
    }
    return pictures;
}

std::vector<Picture> Entry(Effect effect, const RestPicture& rest, const InkBounds& ink) {
    const Picture& r = rest.picture;
    const int a = ink.left, b = ink.right, t = ink.top, u = ink.bottom;
    std::vector<Picture> out;
    switch (effect) {
        case Effect::None:
            break;
        case Effect::ScrollLeft:
            for (int d = kLastColumn - a; d >= 1; --d) {
                out.push_back(Shifted(r, d, 0));
            }
            break;
        case Effect::ScrollRight:
            for (int d = b; d >= 1; --d) {
                out.push_back(Shifted(r, -d, 0));
            }
            break;
        case Effect::ScrollUp:
            for (int d = kLastRow - t; d >= 1; --d) {
                out.push_back(Shifted(r, 0, d));
            }
            break;
        case Effect::ScrollDown:
            for (int d = u; d >= 1; --d) {
                out.push_back(Shifted(r, 0, -d));
            }
            break;
        case Effect::WipeRight:
            for (int k = 1; k <= b - a; ++k) {
                out.push_back(ColumnsOnly(r, a, a + k - 1));
            }
            break;
        case Effect::WipeLeft:
            for (int k = 1; k <= b - a; ++k) {
                out.push_back(ColumnsOnly(r, b - k + 1, b));
            }
            break;
        case Effect::Open:  // revealed from the centre line outwards
            for (int k = 1; k < kCentreRight; ++k) {
                out.push_back(ColumnsOnly(r, kCentreRight - k, kCentreLeft + k));
            }
            return Distinct(out, r);
        case Effect::Close:  // revealed from both edges in towards the centre line
            for (int k = 1; k < kCentreRight; ++k) {
                out.push_back(WithoutColumns(r, k, kLastColumn - k));
            }
            return Distinct(out, r);
        case Effect::Typewriter:
            for (const int end : rest.characterEnds) {
                out.push_back(ColumnsOnly(r, 0, end - 1));
            }
            return Distinct(out, r);
        case Effect::Dissolve:
            return Distinct(DissolvePictures(r, false), r);
    }
    return out;
}

std::vector<Picture> Exit(Effect effect, const RestPicture& rest, const InkBounds& ink) {
    const Picture& r = rest.picture;
    const int a = ink.left, b = ink.right, t = ink.top, u = ink.bottom;
    std::vector<Picture> out;
    switch (effect) {
        case Effect::None:
        case Effect::Typewriter:
            break;
        case Effect::ScrollLeft:
            for (int d = 1; d <= b; ++d) {
                out.push_back(Shifted(r, -d, 0));
            }
            break;
        case Effect::ScrollRight:
            for (int d = 1; d <= kLastColumn - a; ++d) {
                out.push_back(Shifted(r, d, 0));
            }
            break;
        case Effect::ScrollUp:
            for (int d = 1; d <= u; ++d) {
                out.push_back(Shifted(r, 0, -d));
            }
            break;
        case Effect::ScrollDown:
            for (int d = 1; d <= kLastRow - t; ++d) {
                out.push_back(Shifted(r, 0, d));
            }
            break;
        case Effect::WipeRight:
            for (int k = 1; k <= b - a; ++k) {
                out.push_back(ColumnsOnly(r, a + k, b));
            }
            break;
        case Effect::WipeLeft:
            for (int k = 1; k <= b - a; ++k) {
                out.push_back(ColumnsOnly(r, a, b - k));
            }
            break;
        case Effect::Open:  // hidden from the centre line outwards
            for (int k = 1; k < kCentreRight; ++k) {
                out.push_back(WithoutColumns(r, kCentreRight - k, kCentreLeft + k));
            }
            return Distinct(out, r);
        case Effect::Close:  // hidden from both edges in towards the centre line
            for (int k = 1; k < kCentreRight; ++k) {
                out.push_back(ColumnsOnly(r, k, kLastColumn - k));
            }
            return Distinct(out, r);
        case Effect::Dissolve:
            return Distinct(DissolvePictures(r, true), r);
    }
    return out;
}

}  // namespace

std::optional<InkBounds> InkOf(const Picture& picture) {
    std::optional<InkBounds> ink;
    std::uint16_t rows = 0;
    for (int c = 0; c < kDisplayColumns; ++c) {
        const std::uint16_t mask = picture.columns[static_cast<std::size_t>(c)];
        if (mask == 0) {
            continue;
        }
        if (!ink) {
            ink = InkBounds{c, c, 0, 0};
        }
        ink->right = c;
        rows = static_cast<std::uint16_t>(rows | mask);
    }
    if (ink) {
        ink->top = std::countr_zero(rows);
        ink->bottom = 15 - std::countl_zero(rows);
    }
    return ink;
}

Picture Shifted(const Picture& picture, int dx, int dy) {
    Picture out;
    for (int c = 0; c < kDisplayColumns; ++c) {
        const int source = c - dx;
        if (source < 0 || source > kLastColumn) {
            continue;
        }
        const unsigned mask = picture.columns[static_cast<std::size_t>(source)];
        const unsigned moved =
            dy >= 0 ? (dy < 16 ? mask << dy : 0U) : (-dy < 16 ? mask >> -dy : 0U);
        out.columns[static_cast<std::size_t>(c)] = static_cast<std::uint16_t>(moved & kAllRows);
    }
    return out;
}

Picture ColumnsOnly(const Picture& picture, int first, int last) {
    Picture out;
    for (int c = std::max(first, 0); c <= std::min(last, kLastColumn); ++c) {
        out.columns[static_cast<std::size_t>(c)] = picture.columns[static_cast<std::size_t>(c)];
    }
    return out;
}

std::vector<Picture> EntryPictures(Effect effect, const RestPicture& rest) {
    const std::optional<InkBounds> ink = InkOf(rest.picture);
    return ink ? Entry(effect, rest, *ink) : std::vector<Picture>{};
}

std::vector<Picture> ExitPictures(Effect effect, const RestPicture& rest) {
    const std::optional<InkBounds> ink = InkOf(rest.picture);
    return ink ? Exit(effect, rest, *ink) : std::vector<Picture>{};
}

}  // namespace kadr::messages
