// The compression of an XLSX package. libxlsxwriter deflates every part at zlib's default
// level and offers no choice; deflating a million rows of worksheet XML that way takes
// longer than writing it. While a guard lives on a thread, the library's zip entries opened
// on that thread are deflated at the fastest level instead (a valid package every reader
// opens, somewhat larger). Other users of the zip library in the process are not touched.
#pragma once

namespace ostrel {

class TFastXlsxPacking {
public:
    TFastXlsxPacking();
    ~TFastXlsxPacking();
    TFastXlsxPacking(const TFastXlsxPacking&) = delete;
    TFastXlsxPacking& operator=(const TFastXlsxPacking&) = delete;

private:
    int FOuterLevel;
};

}  // namespace ostrel
