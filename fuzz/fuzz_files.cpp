// libFuzzer driver: arbitrary bytes as a data file of each kind (".wfm",
// ".mes", ".dat", ".psm", ".mth", ".bus"). The first byte picks the kind, the
// rest is the file. A file that loads must store again, and what it stores
// must load back and store to the same bytes: a reader and a writer that
// disagree lose data in the second save.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzDocuments.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (!EveryFormatCovered())
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    CFuzzInput input(data, size);
    const FuzzDocument& kind = kFuzzDocuments[input.Byte() % std::size(kFuzzDocuments)];
    const std::string rest = input.Rest();
    const QByteArray bytes(rest.data(), static_cast<qsizetype>(rest.size()));

    std::unique_ptr<CDataDoc> doc = kind.make();
    if (!doc->LoadBytes(bytes))
        return 0;
    const QByteArray stored = doc->Store();
    std::unique_ptr<CDataDoc> again = kind.make();
    if (stored.isEmpty() || !again->LoadBytes(stored) || again->Store() != stored)
        std::abort();
    return 0;
}
