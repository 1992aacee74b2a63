#include "platform/graphics/ShapingCache.h"

std::shared_ptr<const ShapedParagraph> ShapingCache::find(const std::string& key)
{
    auto found = m_index.find(key);
    if (found == m_index.end())
        return nullptr;
    m_entries.splice(m_entries.begin(), m_entries, found->second);
    return found->second->second;
}

void ShapingCache::insert(const std::string& key, std::shared_ptr<const ShapedParagraph> paragraph)
{
    if (auto found = m_index.find(key); found != m_index.end()) {
        found->second->second = std::move(paragraph);
        m_entries.splice(m_entries.begin(), m_entries, found->second);
        return;
    }
    m_entries.emplace_front(key, std::move(paragraph));
    m_index.emplace(key, m_entries.begin());
    if (m_entries.size() > m_capacity) {
        m_index.erase(m_entries.back().first);
        m_entries.pop_back();
    }
}
