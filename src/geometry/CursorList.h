#pragma once

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

// Ends the process with status -8: the one hard stop of the geometry engine,
// reached only when code asks a list for an index it does not have.
[[noreturn]] void CursorListIndexFault(int index, int count);

// A doubly linked list addressed by index that remembers the node it reached
// last (the cursor). The geometry code reads index i, then i + 1 or i - 1, so
// a lookup starts from whichever of head, cursor and tail is nearest and
// costs one or two steps in the usual access pattern.
//
// T is a small value (TimedPoint) or a pointer the list does not own. Nodes
// are carved from chunks the list owns, so freeing a list of any length is a
// loop over the chunks, never a recursion over the nodes.
template <typename T>
class CCursorList {
public:
    struct Node {
        T element{};
        Node* next = nullptr;
        Node* prev = nullptr;
        int index = -1;    // position while this node is the cursor, else -1
        double key = 0.0;  // sort key of InsertSorted; 0 for AddTail
    };

    explicit CCursorList(bool allowDuplicateKeys = true) : m_allowDuplicateKeys(allowDuplicateKeys)
    {
    }
    CCursorList(const CCursorList&) = delete;
    CCursorList& operator=(const CCursorList&) = delete;
    // Nodes live in chunks that move with the list, so moving keeps every
    // link valid; the source is left empty.
    CCursorList(CCursorList&& other) noexcept { TakeFrom(other); }
    CCursorList& operator=(CCursorList&& other) noexcept
    {
        if (this != &other) {
            RemoveAll();
            TakeFrom(other);
        }
        return *this;
    }
    ~CCursorList() = default;

    int GetCount() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }
    Node* GetHead() const { return m_head; }
    Node* GetTail() const { return m_tail; }
    Node* GetCursor() const { return m_cursor; }
    bool AllowsDuplicateKeys() const { return m_allowDuplicateKeys; }

    // Appends a copy of `value` (key 0). The cursor is left as it is.
    Node* AddTail(const T& value)
    {
        Node* node = NewNode(value, 0.0);
        node->prev = m_tail;
        if (m_tail != nullptr) {
            m_tail->next = node;
        } else {
            m_head = node;
        }
        m_tail = node;
        ++m_count;
        return node;
    }

    // The node at position i, which becomes the cursor. An index outside
    // 0 .. count - 1 is a fault of the caller and ends the process.
    Node* GetAt(int i)
    {
        if (i < 0 || i >= m_count) {
            CursorListIndexFault(i, m_count);
        }
        const int dHead = i;
        const int dTail = m_count - 1 - i;
        const int c = m_cursor != nullptr ? m_cursor->index : 0;
        const int dCursor = m_cursor != nullptr ? (i > c ? i - c : c - i) : m_count;

        Node* node = nullptr;
        m_lastSteps = std::min(dCursor, std::min(dHead, dTail));
        if (dCursor <= dHead && dCursor <= dTail) {
            node = m_cursor;
            for (int k = c; k < i; ++k) {
                node = node->next;
            }
            for (int k = c; k > i; --k) {
                node = node->prev;
            }
        } else if (dHead <= dTail) {
            node = m_head;
            for (int k = 0; k < i; ++k) {
                node = node->next;
            }
        } else {
            node = m_tail;
            for (int k = m_count - 1; k > i; --k) {
                node = node->prev;
            }
        }
        if (m_cursor != nullptr) {
            m_cursor->index = -1;
        }
        m_cursor = node;
        node->index = i;
        return node;
    }

    const T& ElementAt(int i) { return GetAt(i)->element; }
    // Links followed by the last GetAt (for measuring the walk).
    int LastWalkSteps() const { return m_lastSteps; }

    // Returns a copy of the tail's element and unlinks the tail, except that
    // the last remaining node is never removed. Empty lists are a fault.
    T RemoveTail()
    {
        if (m_tail == nullptr) {
            CursorListIndexFault(0, 0);
        }
        T value = m_tail->element;
        if (m_count >= 2) {
            Node* old = m_tail;
            if (m_cursor == old) {
                m_cursor = nullptr;
            }
            m_tail = old->prev;
            m_tail->next = nullptr;
            ReleaseNode(old);
            --m_count;
        }
        return value;
    }

    // Inserts in ascending key order; an equal key goes before the existing
    // equal nodes. When duplicate keys are refused and the key is present,
    // nothing is inserted and the node holding it is returned; otherwise the
    // result is null. The cursor is dropped, since positions shift.
    Node* InsertSorted(const T& value, double key)
    {
        if (m_cursor != nullptr) {
            m_cursor->index = -1;
            m_cursor = nullptr;
        }
        if (m_head == nullptr) {
            Node* node = NewNode(value, key);
            m_head = m_tail = node;
            m_count = 1;
            return nullptr;
        }
        Node* stop = m_head;
        while (stop->next != nullptr && stop->key < key) {
            stop = stop->next;
        }
        if (!m_allowDuplicateKeys && stop->key == key) {
            return stop;
        }
        Node* node = NewNode(value, key);
        if (stop == m_tail && stop->key < key) {
            node->prev = stop;
            stop->next = node;
            m_tail = node;
        } else {
            node->next = stop;
            node->prev = stop->prev;
            if (stop->prev != nullptr) {
                stop->prev->next = node;
            } else {
                m_head = node;
            }
            stop->prev = node;
        }
        ++m_count;
        return nullptr;
    }

    // Frees every node and leaves the list empty.
    void RemoveAll()
    {
        m_chunks.clear();
        m_free = nullptr;
        m_unused = 0;
        m_head = m_tail = m_cursor = nullptr;
        m_count = 0;
    }

    // Forward iteration for code that reads the whole list in order without
    // touching the cursor.
    class ConstIterator {
    public:
        explicit ConstIterator(const Node* node) : m_node(node) {}
        const T& operator*() const { return m_node->element; }
        ConstIterator& operator++()
        {
            m_node = m_node->next;
            return *this;
        }
        bool operator!=(const ConstIterator& other) const { return m_node != other.m_node; }

    private:
        const Node* m_node;
    };
    ConstIterator begin() const { return ConstIterator(m_head); }
    ConstIterator end() const { return ConstIterator(nullptr); }

private:
    static constexpr int kFirstChunk = 16;
    static constexpr int kLargestChunk = 4096;

    void TakeFrom(CCursorList& other) noexcept
    {
        m_head = std::exchange(other.m_head, nullptr);
        m_tail = std::exchange(other.m_tail, nullptr);
        m_cursor = std::exchange(other.m_cursor, nullptr);
        m_count = std::exchange(other.m_count, 0);
        m_allowDuplicateKeys = other.m_allowDuplicateKeys;
        m_lastSteps = other.m_lastSteps;
        m_chunks = std::move(other.m_chunks);
        other.m_chunks.clear();
        m_chunkSize = std::exchange(other.m_chunkSize, 0);
        m_unused = std::exchange(other.m_unused, 0);
        m_free = std::exchange(other.m_free, nullptr);
    }

    Node* NewNode(const T& value, double key)
    {
        Node* node = nullptr;
        if (m_free != nullptr) {
            node = m_free;
            m_free = node->next;
        } else {
            if (m_unused == 0) {
                const int size =
                    m_chunks.empty() ? kFirstChunk : std::min(2 * m_chunkSize, kLargestChunk);
                m_chunks.push_back(std::make_unique<Node[]>(static_cast<std::size_t>(size)));
                m_chunkSize = size;
                m_unused = size;
            }
            node = &m_chunks.back()[static_cast<std::size_t>(m_chunkSize - m_unused)];
            --m_unused;
        }
        *node = Node{};
        node->element = value;
        node->key = key;
        return node;
    }

    void ReleaseNode(Node* node)
    {
        node->index = -1;
        node->prev = nullptr;
        node->next = m_free;
        m_free = node;
    }

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    Node* m_cursor = nullptr;
    int m_count = 0;
    bool m_allowDuplicateKeys = true;
    int m_lastSteps = 0;

    std::vector<std::unique_ptr<Node[]>> m_chunks;
    int m_chunkSize = 0;
    int m_unused = 0;        // nodes never handed out at the end of the last chunk
    Node* m_free = nullptr;  // released nodes, linked through `next`
};
