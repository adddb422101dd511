#pragma once
// CompactText: the text of one grid cell in 16 bytes.
//
// Texts of up to 15 bytes (UTF-8) are stored inline; longer texts live in one
// heap block of exactly their length, owned by the CompactText. A default
// constructed CompactText is the empty text and allocates nothing. Copying
// copies the text; moving leaves the source empty. Texts of 4 GiB or more are
// refused with rt::Error 7 (out of memory) and leave the target unchanged.
//
// The view returned by view() is valid until the text is next assigned,
// moved from or destroyed.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace grid {

class CompactText {
public:
    static constexpr std::size_t kInlineCapacity = 15;

    CompactText() noexcept { clearInline(); }
    explicit CompactText(std::string_view text) { clearInline(); assign(text); }
    CompactText(const CompactText& other) { clearInline(); assign(other.view()); }
    CompactText(CompactText&& other) noexcept;
    CompactText& operator=(const CompactText& other);
    CompactText& operator=(CompactText&& other) noexcept;
    ~CompactText() { release(); }

    void assign(std::string_view text);
    void clear() noexcept { release(); clearInline(); }

    std::string_view view() const noexcept;
    std::size_t size() const noexcept;
    bool empty() const noexcept { return size() == 0; }
    // Whether the text occupies a heap block (longer than kInlineCapacity).
    bool onHeap() const noexcept { return bytes_[15] == kHeapTag; }

private:
    // Inline: bytes 0..14 hold the text, byte 15 holds 15 - length (so a
    // 15-byte text ends in a zero byte). Heap: bytes 0..7 the pointer, 8..11
    // the length, byte 15 kHeapTag.
    static constexpr unsigned char kHeapTag = 0xFF;

    void clearInline() noexcept;
    void release() noexcept;
    char* heapPointer() const noexcept;
    std::uint32_t heapSize() const noexcept;

    alignas(8) unsigned char bytes_[16];
};

static_assert(sizeof(CompactText) == 16);

} // namespace grid
