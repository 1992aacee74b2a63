#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>

class ShapedParagraph;

// The paragraphs shaped most recently, by request. The keyboard sets the
// same few dozen labels on every display, so they are shaped once.
class ShapingCache {
public:
    explicit ShapingCache(std::size_t capacity)
        : m_capacity(capacity)
    {
    }

    std::shared_ptr<const ShapedParagraph> find(const std::string& key);
    void insert(const std::string& key, std::shared_ptr<const ShapedParagraph> paragraph);

private:
    using Entry = std::pair<std::string, std::shared_ptr<const ShapedParagraph>>;
    std::size_t m_capacity;
    std::list<Entry> m_entries; // most recently used first
    std::unordered_map<std::string, std::list<Entry>::iterator> m_index;
};
