#include "metafile_player.h"

#include <algorithm>
#include <cstdint>
#include <map>

namespace {

struct TReader {
    const std::string& b;
    size_t end;
    bool ok = true;
    std::uint32_t U8(size_t at)
    {
        if (at >= end) {
            ok = false;
            return 0;
        }
        return static_cast<unsigned char>(b[at]);
    }
    std::uint32_t U16(size_t at) { return U8(at) | (U8(at + 1) << 8); }
    int I16(size_t at) { return static_cast<std::int16_t>(U16(at)); }
    std::uint32_t U32(size_t at) { return U16(at) | (U16(at + 2) << 16); }
    int I32(size_t at) { return static_cast<std::int32_t>(U32(at)); }
};

struct TObject {
    enum TType { Pen, Brush, Font } Type = Pen;
    explicit TObject(TType t = Pen) : Type(t) {}
    TPen PenValue;
    TBrush BrushValue;
    int Height = 0, Angle = 0;
    bool Underline = false, StrikeOut = false;
    std::string Face;
};

TBrush BrushOf(std::uint32_t style, TColor color, std::uint32_t hatch)
{
    TBrush b{color, TBrushStyle::Solid};
    if (style == 1)
        b.Style = TBrushStyle::Clear;
    else if (style == 2)
        b.Style = static_cast<TBrushStyle>(static_cast<int>(TBrushStyle::Horizontal) + static_cast<int>(hatch));
    return b;
}

// The device context a player keeps.
struct TPlayer {
    explicit TPlayer(TPlayedPicture& o) : out(o) {}
    TPlayedPicture& out;
    std::map<int, TObject> objects;
    struct TDc {
        int pen = -1, brush = -1, font = -1;
        TColor text = kBlack, bk = kWhite;
        bool transparent = false;
        int align = 0;
        std::optional<TRect> clip;
        TPoint pos;
    } dc;
    std::vector<TDc> saved;
    int maxLive = 0;

    void Error(const std::string& e) { out.Errors.push_back(e); }
    void Create(int handle, const TObject& o)
    {
        if (objects.count(handle))
            Error("object created in a used slot " + std::to_string(handle));
        objects[handle] = o;
        maxLive = std::max(maxLive, static_cast<int>(objects.size()));
    }
    void Select(int handle)
    {
        auto it = objects.find(handle);
        if (it == objects.end()) {
            Error("selects unknown object " + std::to_string(handle));
            return;
        }
        (it->second.Type == TObject::Pen ? dc.pen : it->second.Type == TObject::Brush ? dc.brush : dc.font) = handle;
    }
    void Delete(int handle)
    {
        if (!objects.erase(handle))
            Error("deletes unknown object " + std::to_string(handle));
        auto selectedSomewhere = [handle](const TDc& d) { return d.pen == handle || d.brush == handle || d.font == handle; };
        if (selectedSomewhere(dc) || std::any_of(saved.begin(), saved.end(), selectedSomewhere))
            Error("deletes a selected object " + std::to_string(handle));
    }
    void Intersect(const TRect& r)
    {
        dc.clip = dc.clip ? TRect{std::max(dc.clip->Left, r.Left), std::max(dc.clip->Top, r.Top),
                                  std::min(dc.clip->Right, r.Right), std::min(dc.clip->Bottom, r.Bottom)}
                          : r;
    }
    TPlayedCall& Draw(TCanvasCall::Kind kind, bool needsBrush, bool needsFont)
    {
        if (!needsFont && dc.pen < 0)
            Error("draws with no pen of its own selected");
        if (needsBrush && dc.brush < 0)
            Error("fills with no brush of its own selected");
        if (needsFont && dc.font < 0)
            Error("writes with no font of its own selected");
        TPlayedCall& c = out.Calls.emplace_back();
        c.Op = kind;
        if (dc.pen >= 0)
            c.Pen = objects[dc.pen].PenValue;
        if (dc.brush >= 0)
            c.Brush = objects[dc.brush].BrushValue;
        if (dc.font >= 0) {
            c.FontHeight = objects[dc.font].Height;
            c.Angle = objects[dc.font].Angle;
            c.Face = objects[dc.font].Face;
            c.Underline = objects[dc.font].Underline;
            c.StrikeOut = objects[dc.font].StrikeOut;
        }
        c.TextColor = dc.text;
        c.Background = dc.bk;
        c.Transparent = dc.transparent;
        c.Align = dc.align;
        c.Clip = dc.clip;
        return c;
    }
    // A rectangle drawn with no pen fills one pixel less to the right and
    // below: that is a fill of the smaller rectangle.
    void Rectangle(TRect r)
    {
        const bool noPen = dc.pen >= 0 && objects[dc.pen].PenValue.Style == TPenStyle::Clear;
        if (noPen) {
            r.Right -= 1;
            r.Bottom -= 1;
        }
        Draw(noPen ? TCanvasCall::Kind::FillRect : TCanvasCall::Kind::Rectangle, true, false).Rect = r;
    }
};

}  // namespace

std::vector<TPlayedCall> TPlayedPicture::CallsOf(TCanvasCall::Kind kind) const
{
    std::vector<TPlayedCall> v;
    std::copy_if(Calls.begin(), Calls.end(), std::back_inserter(v), [kind](const TPlayedCall& c) { return c.Op == kind; });
    return v;
}

std::vector<std::string> TPlayedPicture::Texts() const
{
    std::vector<std::string> v;
    for (const auto& c : Calls)
        if (c.Op == TCanvasCall::Kind::TextOut)
            v.push_back(c.Text);
    return v;
}

TPlayedPicture PlayEmf(const std::string& bytes)
{
    TPlayedPicture out;
    TReader r{bytes, bytes.size()};
    TPlayer p(out);
    if (bytes.size() < 108 || r.U32(0) != 1 || r.U32(40) != 0x464D4520) {
        out.Errors.push_back("no enhanced-metafile header");
        return out;
    }
    out.Bounds = {r.I32(8), r.I32(12), r.I32(16), r.I32(20)};
    out.Frame = {r.I32(24), r.I32(28), r.I32(32), r.I32(36)};
    if (r.U32(48) != bytes.size())
        out.Errors.push_back("header byte count is not the file size");
    const std::uint32_t headerRecords = r.U32(52);
    out.Handles = static_cast<int>(r.U16(56));
    const std::uint32_t descriptionChars = r.U32(60), descriptionAt = r.U32(64);
    if (descriptionChars > 0) {
        if (descriptionAt < 108 || descriptionAt + 2 * descriptionChars > r.U32(4)) {
            out.Errors.push_back("description outside the header");
        } else {
            std::string text;
            for (std::uint32_t i = 0; i < descriptionChars; ++i)
                text += static_cast<char>(r.U16(descriptionAt + 2 * i));
            if (text.size() < 2 || text.substr(text.size() - 2) != std::string(2, '\0'))
                out.Errors.push_back("description does not end in two NULs");
            // Strings each ended by a NUL, the last one followed by another.
            for (size_t from = 0, end; (end = text.find('\0', from)) != std::string::npos && end > from;
                 from = end + 1)
                out.Description.push_back(text.substr(from, end - from));
        }
    }
    size_t at = 0;
    std::uint32_t lastType = 0;
    while (at < bytes.size()) {
        const std::uint32_t type = r.U32(at), size = r.U32(at + 4);
        if (size < 8 || size % 4 || at + size > bytes.size()) {
            out.Errors.push_back("bad record size at " + std::to_string(at));
            break;
        }
        ++out.Records;
        lastType = type;
        const size_t q = at + 8;
        auto rect = [&](size_t o) { return TRect{r.I32(o), r.I32(o + 4), r.I32(o + 8), r.I32(o + 12)}; };
        auto handle = [&](size_t o) {
            const int h = static_cast<int>(r.U32(o));
            if (h <= 0 || h >= out.Handles)
                p.Error("handle outside the table " + std::to_string(h));
            return h;
        };
        switch (type) {
        case 38: {   // create pen
            TObject o(TObject::Pen);
            o.PenValue = {r.U32(q + 16), static_cast<TPenStyle>(r.U32(q + 4)), r.I32(q + 8)};
            p.Create(handle(q), o);
            break;
        }
        case 39: {
            TObject o(TObject::Brush);
            o.BrushValue = BrushOf(r.U32(q + 4), r.U32(q + 8), r.U32(q + 12));
            p.Create(handle(q), o);
            break;
        }
        case 82: {
            TObject o(TObject::Font);
            o.Height = r.I32(q + 4);
            o.Angle = r.I32(q + 12);
            if (r.I32(q + 16) != o.Angle)
                p.Error("escapement and orientation differ");
            o.Underline = r.U8(q + 25) != 0;
            o.StrikeOut = r.U8(q + 26) != 0;
            for (size_t i = 0; i < 32 && r.U16(q + 32 + 2 * i); ++i)
                o.Face += static_cast<char>(r.U16(q + 32 + 2 * i));
            p.Create(handle(q), o);
            break;
        }
        case 37: p.Select(handle(q)); break;
        case 40: p.Delete(handle(q)); break;
        case 18: p.dc.transparent = r.U32(q) == 1; break;
        case 22: p.dc.align = static_cast<int>(r.U32(q)); break;
        case 24: p.dc.text = r.U32(q); break;
        case 25: p.dc.bk = r.U32(q); break;
        case 27: p.dc.pos = {r.I32(q), r.I32(q + 4)}; break;
        case 54: {
            const TPoint to{r.I32(q), r.I32(q + 4)};
            p.Draw(TCanvasCall::Kind::Line, false, false).Points = {p.dc.pos, to};
            p.dc.pos = to;
            break;
        }
        case 3:
        case 4: {
            const std::uint32_t n = r.U32(q + 16);
            if (size != 28 + 8 * n)
                p.Error("polyline size does not match its points");
            std::vector<TPoint> pts;
            for (std::uint32_t i = 0; i < n; ++i)
                pts.push_back({r.I32(q + 20 + 8 * i), r.I32(q + 24 + 8 * i)});
            const bool polygon = type == 3;
            p.Draw(polygon ? TCanvasCall::Kind::Polygon : TCanvasCall::Kind::Polyline, polygon, false).Points = pts;
            break;
        }
        case 43: p.Rectangle(rect(q)); break;
        case 42: p.Draw(TCanvasCall::Kind::Ellipse, true, false).Rect = rect(q); break;
        case 84: {
            const size_t t = q + 28;   // the text part
            const std::uint32_t n = r.U32(t + 8), offString = r.U32(t + 12), offDx = r.U32(t + 36);
            if (offString + 2 * n > size || offDx + 4 * n > size)
                p.Error("text offsets outside the record");
            TPlayedCall& c = p.Draw(TCanvasCall::Kind::TextOut, false, true);
            c.Points = {{r.I32(t), r.I32(t + 4)}};
            for (std::uint32_t i = 0; i < n; ++i)
                c.Text += static_cast<char>(r.U16(at + offString + 2 * i));
            break;
        }
        case 75:
            if (r.U32(q + 4) == 5 && r.U32(q) == 0)
                p.dc.clip.reset();
            else
                p.Error("clip region other than a reset");
            break;
        case 30: p.Intersect(rect(q)); break;
        case 1:
            if (at != 0)
                p.Error("second header");
            break;
        case 14:
            if (at + size != bytes.size())
                p.Error("records after the end of file");
            break;
        default: p.Error("unexpected record type " + std::to_string(type));
        }
        at += size;
    }
    if (lastType != 14)
        out.Errors.push_back("no end-of-file record");
    if (static_cast<int>(headerRecords) != out.Records)
        out.Errors.push_back("header record count is not the records read");
    if (!r.ok)
        out.Errors.push_back("read past a record");
    return out;
}

TPlayedPicture PlayWmf(const std::string& bytes)
{
    TPlayedPicture out;
    TReader r{bytes, bytes.size()};
    TPlayer p(out);
    if (bytes.size() < 40 || r.U32(0) != 0x9AC6CDD7) {
        out.Errors.push_back("no placeable header");
        return out;
    }
    std::uint32_t sum = 0;
    for (size_t i = 0; i < 20; i += 2)
        sum ^= r.U16(i);
    if (sum != r.U16(20))
        out.Errors.push_back("placeable header checksum");
    out.Bounds = {r.I16(6), r.I16(8), r.I16(10), r.I16(12)};
    out.Dpi = static_cast<int>(r.U16(14));
    const size_t h = 22;
    if (r.U16(h) != 1 || r.U16(h + 2) != 9 || r.U16(h + 4) != 0x0300)
        out.Errors.push_back("bad metafile header");
    if (22 + 2 * static_cast<size_t>(r.U32(h + 6)) != bytes.size())
        out.Errors.push_back("header size is not the file size");
    out.Handles = static_cast<int>(r.U16(h + 10));
    const std::uint32_t maxRecord = r.U32(h + 12);
    out.Records = 1;
    size_t at = h + 18;
    bool eof = false;
    while (at < bytes.size() && !eof) {
        const std::uint32_t words = r.U32(at);
        const std::uint32_t fn = r.U16(at + 4);
        if (words < 3 || at + 2 * static_cast<size_t>(words) > bytes.size()) {
            out.Errors.push_back("bad record size at " + std::to_string(at));
            break;
        }
        if (words > maxRecord)
            out.Errors.push_back("record larger than the header's largest");
        ++out.Records;
        const size_t q = at + 6;
        auto rect = [&](size_t o) { return TRect{r.I16(o + 6), r.I16(o + 4), r.I16(o + 2), r.I16(o)}; };
        // The player puts a new object in the lowest free slot.
        auto slot = [&]() {
            int s = 0;
            while (p.objects.count(s))
                ++s;
            return s;
        };
        switch (fn) {
        case 0x0000: eof = true; break;
        case 0x0103: case 0x020B: case 0x020C: break;   // mapping: checked by the test
        case 0x02FA: {
            TObject o(TObject::Pen);
            o.PenValue = {r.U32(q + 6), static_cast<TPenStyle>(r.U16(q)), r.I16(q + 2)};
            p.Create(slot(), o);
            break;
        }
        case 0x02FC: {
            TObject o(TObject::Brush);
            o.BrushValue = BrushOf(r.U16(q), r.U32(q + 2), r.U16(q + 6));
            p.Create(slot(), o);
            break;
        }
        case 0x02FB: {
            TObject o(TObject::Font);
            o.Height = r.I16(q);
            o.Angle = r.I16(q + 4);
            if (r.I16(q + 6) != o.Angle)
                p.Error("escapement and orientation differ");
            o.Underline = r.U8(q + 11) != 0;
            o.StrikeOut = r.U8(q + 12) != 0;
            for (size_t i = 0; i < 32 && r.U8(q + 18 + i); ++i)
                o.Face += static_cast<char>(r.U8(q + 18 + i));
            p.Create(slot(), o);
            break;
        }
        case 0x012D: p.Select(r.I16(q)); break;
        case 0x01F0: p.Delete(r.I16(q)); break;
        case 0x0102: p.dc.transparent = r.U16(q) == 1; break;
        case 0x012E: p.dc.align = static_cast<int>(r.U16(q)); break;
        case 0x0209: p.dc.text = r.U32(q); break;
        case 0x0201: p.dc.bk = r.U32(q); break;
        case 0x0214: p.dc.pos = {r.I16(q + 2), r.I16(q)}; break;
        case 0x0213: {
            const TPoint to{r.I16(q + 2), r.I16(q)};
            p.Draw(TCanvasCall::Kind::Line, false, false).Points = {p.dc.pos, to};
            p.dc.pos = to;
            break;
        }
        case 0x0324:
        case 0x0325: {
            const int n = r.I16(q);
            if (words != 4 + 2 * static_cast<std::uint32_t>(n))
                p.Error("polyline size does not match its points");
            std::vector<TPoint> pts;
            for (int i = 0; i < n; ++i)
                pts.push_back({r.I16(q + 2 + 4 * i), r.I16(q + 4 + 4 * i)});
            const bool polygon = fn == 0x0324;
            p.Draw(polygon ? TCanvasCall::Kind::Polygon : TCanvasCall::Kind::Polyline, polygon, false).Points = pts;
            break;
        }
        case 0x041B: p.Rectangle(rect(q)); break;
        case 0x0418: p.Draw(TCanvasCall::Kind::Ellipse, true, false).Rect = rect(q); break;
        case 0x0521: {
            const int n = r.I16(q);
            const size_t padded = static_cast<size_t>((n + 1) / 2 * 2);
            if (words != 3 + 1 + padded / 2 + 2)
                p.Error("text size does not match its string");
            TPlayedCall& c = p.Draw(TCanvasCall::Kind::TextOut, false, true);
            c.Text = bytes.substr(q + 2, static_cast<size_t>(n));
            c.Points = {{r.I16(q + 2 + padded + 2), r.I16(q + 2 + padded)}};
            break;
        }
        case 0x001E: p.saved.push_back(p.dc); break;
        case 0x0127:
            if (r.I16(q) != -1 || p.saved.empty()) {
                p.Error("restores a context not saved");
                break;
            }
            p.dc = p.saved.back();
            p.saved.pop_back();
            break;
        case 0x0416: p.Intersect(rect(q)); break;
        default: p.Error("unexpected record function " + std::to_string(fn));
        }
        at += 2 * static_cast<size_t>(words);
    }
    if (!eof || at != bytes.size())
        out.Errors.push_back("no end-of-file record at the end");
    if (p.maxLive > out.Handles)
        out.Errors.push_back("more objects at once than the header says");
    if (!r.ok)
        out.Errors.push_back("read past a record");
    return out;
}
