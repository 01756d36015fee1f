#include "zarn/shell/blocklist.h"

#include <algorithm>

BlockList::Place BlockList::locate(qsizetype row) const {
    for (std::size_t b = 0; b < m_blocks.size(); ++b) {
        const auto count = qsizetype(m_blocks[b].size());
        if (row < count) return {b, row};
        row -= count;
    }
    return {m_blocks.size(), 0};
}

qsizetype BlockList::firstRowOf(std::size_t block) const {
    qsizetype row = 0;
    for (std::size_t b = 0; b < block; ++b) row += qsizetype(m_blocks[b].size());
    return row;
}

const QString& BlockList::at(qsizetype row) const {
    const Place p = locate(row);
    return m_blocks[p.block][std::size_t(p.offset)];
}

void BlockList::insert(qsizetype row, const QString& text) {
    if (m_blocks.empty()) m_blocks.emplace_back();
    Place p = locate(row);
    if (p.block == m_blocks.size()) {  // at the end: append to the last block
        p.block = m_blocks.size() - 1;
        p.offset = qsizetype(m_blocks.back().size());
    }
    insert(Slot{p.block, p.offset, row}, text);
}

void BlockList::insert(const Slot& slot, const QString& text) {
    if (m_blocks.empty()) m_blocks.emplace_back();
    auto& block = m_blocks[slot.block];
    block.insert(block.begin() + slot.offset, text);
    ++m_size;
    splitIfFull(slot.block);
}

void BlockList::splitIfFull(std::size_t index) {
    auto& block = m_blocks[index];
    if (qsizetype(block.size()) <= kMaxBlock) return;
    std::vector<QString> upper(std::make_move_iterator(block.begin() + kMaxBlock / 2),
                               std::make_move_iterator(block.end()));
    block.resize(kMaxBlock / 2);
    m_blocks.insert(m_blocks.begin() + qsizetype(index) + 1, std::move(upper));
}

void BlockList::removeAt(qsizetype row) {
    if (row < 0 || row >= m_size) return;
    const Place p = locate(row);
    auto& block = m_blocks[p.block];
    block.erase(block.begin() + p.offset);
    if (block.empty()) m_blocks.erase(m_blocks.begin() + qsizetype(p.block));
    --m_size;
}

void BlockList::clear() {
    m_blocks.clear();
    m_size = 0;
}

BlockList::Slot BlockList::sortedSlot(const QString& text, const Less& less) const {
    // The first block whose first text sorts after `text`; the place is in the block before.
    const auto after = std::upper_bound(m_blocks.begin(), m_blocks.end(), text,
                                        [&](const QString& t, const std::vector<QString>& block) {
                                            return less(t, block.front());
                                        });
    if (after == m_blocks.begin()) return {0, 0, 0};
    const auto block = std::size_t(after - m_blocks.begin() - 1);
    const auto& texts = m_blocks[block];
    const auto offset =
        qsizetype(std::upper_bound(texts.begin(), texts.end(), text, less) - texts.begin());
    return {block, offset, firstRowOf(block) + offset};
}

void BlockList::forEach(const std::function<void(qsizetype, const QString&)>& visit) const {
    qsizetype row = 0;
    for (const auto& block : m_blocks)
        for (const QString& text : block) visit(row++, text);
}
