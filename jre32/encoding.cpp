#include "encoding.h"

namespace jre32 {

const Encoding& encodingFor(int codePage) {
    if (codePage == 932)
        return shiftJisEncoding();
    if (codePage == 65001)
        return utf8Encoding();
    return singleByteEncoding();
}

} // namespace jre32
