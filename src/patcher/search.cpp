#include "patcher/search.h"

namespace orvendel {

std::optional<std::size_t> search(std::span<const std::uint8_t> image, const Signature& sig,
                                  std::size_t from, ProgressSink* progress) {
    return searchReference(image, sig, from, progress);
}

}  // namespace orvendel
