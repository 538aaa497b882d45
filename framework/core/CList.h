// CList<T, ARG>: a doubly linked list of elements held by value, walked
// with POSITION values that stay valid until their element is removed.
#pragma once

#include "framework/core/CObject.h"
#include "framework/core/Exceptions.h"

#include <utility>

// An opaque place in a CList or CMap; null means none.
struct FrameworkPosition;
typedef FrameworkPosition* POSITION;

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject
{
    struct Node
    {
        Node* next;
        Node* prev;
        TYPE data;
    };

public:
    // Construction
    CList() = default;
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
    ~CList() override { RemoveAll(); }

    // Attributes
    INT_PTR GetCount() const { return m_count; }
    INT_PTR GetSize() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }

    TYPE& GetHead() { return NonEmpty(m_head)->data; }
    const TYPE& GetHead() const { return NonEmpty(m_head)->data; }
    TYPE& GetTail() { return NonEmpty(m_tail)->data; }
    const TYPE& GetTail() const { return NonEmpty(m_tail)->data; }

    // Operations
    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(GetHeadPosition(), newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(GetTailPosition(), newElement); }

    TYPE RemoveHead()
    {
        Node* node = NonEmpty(m_head);
        TYPE value(std::move(node->data));
        Unlink(node);
        return value;
    }

    TYPE RemoveTail()
    {
        Node* node = NonEmpty(m_tail);
        TYPE value(std::move(node->data));
        Unlink(node);
        return value;
    }

    void RemoveAll()
    {
        while (m_head)
            Unlink(m_head);
    }

    POSITION GetHeadPosition() const { return ToPos(m_head); }
    POSITION GetTailPosition() const { return ToPos(m_tail); }

    // The element at pos; pos moves to the next (or previous) one.
    TYPE& GetNext(POSITION& pos) { Node* n = FromPos(pos); pos = ToPos(n->next); return n->data; }
    const TYPE& GetNext(POSITION& pos) const { Node* n = FromPos(pos); pos = ToPos(n->next); return n->data; }
    TYPE& GetPrev(POSITION& pos) { Node* n = FromPos(pos); pos = ToPos(n->prev); return n->data; }
    const TYPE& GetPrev(POSITION& pos) const { Node* n = FromPos(pos); pos = ToPos(n->prev); return n->data; }

    TYPE& GetAt(POSITION pos) { return FromPos(pos)->data; }
    const TYPE& GetAt(POSITION pos) const { return FromPos(pos)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { FromPos(pos)->data = newElement; }
    void RemoveAt(POSITION pos) { Unlink(FromPos(pos)); }

    // A null pos inserts at the head (InsertBefore) or tail (InsertAfter).
    POSITION InsertBefore(POSITION pos, ARG_TYPE newElement)
    {
        Node* next = pos ? FromPos(pos) : m_head;
        Node* node = new Node{next, next ? next->prev : m_tail, TYPE(newElement)};
        Link(node);
        return ToPos(node);
    }

    POSITION InsertAfter(POSITION pos, ARG_TYPE newElement)
    {
        Node* prev = pos ? FromPos(pos) : m_tail;
        Node* node = new Node{prev ? prev->next : m_head, prev, TYPE(newElement)};
        Link(node);
        return ToPos(node);
    }

    // The first element equal to value after startAfter (from the head when
    // null), or null.
    POSITION Find(ARG_TYPE value, POSITION startAfter = nullptr) const
    {
        for (Node* n = startAfter ? FromPos(startAfter)->next : m_head; n; n = n->next) {
            if (n->data == value)
                return ToPos(n);
        }
        return nullptr;
    }

    // The position of the index-th element, or null.
    POSITION FindIndex(INT_PTR index) const
    {
        if (index < 0 || index >= m_count)
            return nullptr;
        Node* n = m_head;
        while (index-- > 0)
            n = n->next;
        return ToPos(n);
    }

private:
    static POSITION ToPos(Node* node) { return reinterpret_cast<POSITION>(node); }
    static Node* FromPos(POSITION pos)
    {
        if (!pos)
            AfxThrowInvalidArgException();
        return reinterpret_cast<Node*>(pos);
    }
    static Node* NonEmpty(Node* node)
    {
        if (!node)
            AfxThrowInvalidArgException();
        return node;
    }

    void Link(Node* node)
    {
        (node->prev ? node->prev->next : m_head) = node;
        (node->next ? node->next->prev : m_tail) = node;
        ++m_count;
    }

    void Unlink(Node* node)
    {
        (node->prev ? node->prev->next : m_head) = node->next;
        (node->next ? node->next->prev : m_tail) = node->prev;
        --m_count;
        delete node;
    }

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    INT_PTR m_count = 0;
};
