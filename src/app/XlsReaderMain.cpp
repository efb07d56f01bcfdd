// ravelstow-xlsreader: reads the structure of one .xls workbook for the program and writes it to
// its output (XlsContent.h). It runs as a process of its own so that a workbook that crashes the
// reading library, or makes it run away with memory, takes down only this process.
//
//   ravelstow-xlsreader WORKBOOK
#include "platform/xls/XlsReader.h"

#include <QFile>
#include <cstdio>
#include <new>
#include <sys/resource.h>

namespace {

// The address space the reader may use: far more than the largest workbook needs, so that only a
// runaway read reaches it. A build with AddressSanitizer reserves terabytes of address space up
// front, so there the limit is left to the parent's time limit.
constexpr rlim_t kMostAddressSpace = rlim_t(4) << 30;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

void limitResources() {
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    if (!kAddressSanitizer) {
        const rlimit space{kMostAddressSpace, kMostAddressSpace};
        setrlimit(RLIMIT_AS, &space);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: ravelstow-xlsreader WORKBOOK\n", stderr);
        return 2;
    }
    limitResources();
    xls::WorkbookContent content;
    try {
        content = xls::ReadWorkbook(QFile::decodeName(argv[1]));
    } catch (const std::bad_alloc&) {
        content = xls::WorkbookContent{};
        content.refusal = QStringLiteral("there is not enough memory to read it");
    }
    const QByteArray answer = xls::Encode(content);
    const bool written = std::fwrite(answer.constData(), 1, size_t(answer.size()), stdout) == size_t(answer.size());
    return written && std::fflush(stdout) == 0 ? 0 : 1;
}
