#pragma once
// An ordered list of texts kept in blocks of a few hundred, so that inserting or removing in
// the middle of 100,000 rows moves a few kilobytes instead of the whole list.
#include <QString>
#include <functional>
#include <vector>

class BlockList {
  public:
    using Less = std::function<bool(const QString&, const QString&)>;

    qsizetype size() const { return m_size; }
    const QString& at(qsizetype row) const;
    void insert(qsizetype row, const QString& text);
    void removeAt(qsizetype row);
    void clear();
    // Where `text` goes to keep the order: after every text that does not sort after it.
    struct Slot {
        std::size_t block;
        qsizetype offset;
        qsizetype row;
    };
    Slot sortedSlot(const QString& text, const Less& less) const;
    // Inserts at a slot found by sortedSlot() with no change in between.
    void insert(const Slot& slot, const QString& text);
    // Calls `visit(row, text)` for every row in order.
    void forEach(const std::function<void(qsizetype, const QString&)>& visit) const;

  private:
    struct Place {
        std::size_t block;
        qsizetype offset;
    };
    Place locate(qsizetype row) const;
    qsizetype firstRowOf(std::size_t block) const;
    void splitIfFull(std::size_t block);

    static constexpr qsizetype kMaxBlock = 512;
    std::vector<std::vector<QString>> m_blocks;
    qsizetype m_size = 0;
};
