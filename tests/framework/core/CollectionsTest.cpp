// CArray keeps its elements as values: every element built is destroyed
// exactly once, copies are deep, and indexes outside the array throw.
// CStringArray, CDWordArray, CPtrArray, CList and CMap as thin as they are.
#include "framework/core/CArray.h"
#include "framework/core/CList.h"
#include "framework/core/CMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

// A record that counts its lives and owns heap memory, so that a shallow
// copy or a raw memory move shows as a wrong count or a corrupt value.
struct Counted
{
    static int s_alive;
    static int s_constructed;
    static std::set<const Counted*>& Live()
    {
        static std::set<const Counted*> live;
        return live;
    }

    Counted() : Counted(0) {}
    explicit Counted(int v) : value(new int(v)), self(this) { Born(); }
    Counted(const Counted& o) : value(new int(*o.value)), self(this) { Born(); }
    Counted& operator=(const Counted& o)
    {
        *value = *o.value;
        return *this;
    }
    ~Counted()
    {
        EXPECT_EQ(self, this) << "element was moved as raw memory";
        EXPECT_EQ(Live().erase(this), 1u) << "destroyed twice or never built";
        delete value;
        --s_alive;
    }
    void Born()
    {
        Live().insert(this);
        ++s_alive;
        ++s_constructed;
    }

    int* value;
    const Counted* self;
};
int Counted::s_alive = 0;
int Counted::s_constructed = 0;

typedef CArray<Counted, Counted&> CountedArray;

std::vector<int> Values(const CountedArray& a)
{
    std::vector<int> v;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        v.push_back(*a.GetAt(i).value);
    return v;
}

class CArrayTest : public ::testing::Test
{
protected:
    void SetUp() override { Counted::s_alive = 0; }
    void TearDown() override
    {
        EXPECT_EQ(Counted::s_alive, 0) << "leaked elements";
        EXPECT_TRUE(Counted::Live().empty());
    }
};

TEST_F(CArrayTest, OperationsKeepValuesAndLives)
{
    {
        CountedArray a;
        for (int i = 0; i < 100; ++i) {
            Counted c(i);
            EXPECT_EQ(a.Add(c), i);
        }
        EXPECT_EQ(a.GetSize(), 100);
        EXPECT_EQ(a.GetCount(), 100);
        EXPECT_EQ(Counted::s_alive, 100);

        Counted ten(-10);
        a.InsertAt(0, ten, 2);
        a.RemoveAt(5, 3);
        a.InsertAt(a.GetSize() + 2, ten); // past the end grows the array
        std::vector<int> v = Values(a);
        EXPECT_EQ(v.size(), 102u);
        EXPECT_EQ(v[0], -10);
        EXPECT_EQ(v[2], 0);
        EXPECT_EQ(v[5], 6);
        EXPECT_EQ(v[99], 0);
        EXPECT_EQ(v[101], -10);

        a.SetAt(3, ten);
        EXPECT_EQ(*a[3].value, -10);
        *a.ElementAt(4).value = 44;
        EXPECT_EQ(*a.GetAt(4).value, 44);

        // Adding an element of the array itself, while it grows.
        a.FreeExtra();
        a.Add(a[1]);
        EXPECT_EQ(*a[a.GetUpperBound()].value, -10);

        a.SetSize(10, 50);
        EXPECT_EQ(a.GetSize(), 10);
        a.SetSize(20);
        EXPECT_EQ(*a[19].value, 0);
        EXPECT_EQ(Counted::s_alive, 20 + 1); // elements + ten
    }
}

TEST_F(CArrayTest, CopyAndAppendAreDeep)
{
    CountedArray a;
    CountedArray b;
    for (int i = 0; i < 5; ++i) {
        Counted c(i);
        a.Add(c);
    }
    b.Copy(a);
    *b[0].value = 100;
    EXPECT_EQ(*a[0].value, 0);
    EXPECT_EQ(b.Append(a), 5);
    EXPECT_EQ(Values(b), (std::vector<int>{100, 1, 2, 3, 4, 0, 1, 2, 3, 4}));
    a.Append(a);
    EXPECT_EQ(Values(a), (std::vector<int>{0, 1, 2, 3, 4, 0, 1, 2, 3, 4}));
    a.InsertAt(1, &b);
    EXPECT_EQ(a.GetSize(), 20);
    EXPECT_EQ(*a[1].value, 100);
    a.RemoveAll();
    EXPECT_EQ(a.GetSize(), 0);
    EXPECT_EQ(Counted::s_alive, 10);
}

TEST_F(CArrayTest, StandardSortSwapsByValue)
{
    CountedArray a;
    for (int v : {5, 3, 9, 1, 7}) {
        Counted c(v);
        a.Add(c);
    }
    std::sort(a.begin(), a.end(), [](const Counted& x, const Counted& y) { return *x.value < *y.value; });
    EXPECT_EQ(Values(a), (std::vector<int>{1, 3, 5, 7, 9}));
}

TEST_F(CArrayTest, IndexOutsideThrowsInvalidArgument)
{
    CountedArray a;
    Counted c(1);
    a.Add(c);
    struct Case
    {
        const char* what;
        void (*run)(CountedArray&);
    };
    const Case cases[] = {
        {"GetAt(-1)", [](CountedArray& x) { x.GetAt(-1); }},
        {"GetAt(1)", [](CountedArray& x) { x.GetAt(1); }},
        {"[5]", [](CountedArray& x) { x[5]; }},
        {"ElementAt(2)", [](CountedArray& x) { x.ElementAt(2); }},
        {"SetAt(1)", [](CountedArray& x) { Counted v(0); x.SetAt(1, v); }},
        {"RemoveAt(1)", [](CountedArray& x) { x.RemoveAt(1); }},
        {"RemoveAt(0, 2)", [](CountedArray& x) { x.RemoveAt(0, 2); }},
        {"RemoveAt(-1)", [](CountedArray& x) { x.RemoveAt(-1); }},
        {"SetSize(-1)", [](CountedArray& x) { x.SetSize(-1); }},
        {"InsertAt(-1)", [](CountedArray& x) { Counted v(0); x.InsertAt(-1, v); }},
    };
    for (const Case& k : cases) {
        EXPECT_THROW(k.run(a), CInvalidArgException) << k.what;
        EXPECT_EQ(a.GetSize(), 1) << k.what;
    }
    TRY {
        a.GetAt(3);
        ADD_FAILURE() << "no exception";
    }
    CATCH(CException, e)
    {
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CInvalidArgException)));
    }
    END_CATCH
}

TEST(Collections, TypedArrays)
{
    CStringArray names;
    names.Add("one");
    names.Add(CString("two"));
    EXPECT_STREQ(names[1], "two");
    names.RemoveAt(0);
    EXPECT_STREQ(names.GetAt(0), "two");

    CDWordArray numbers;
    numbers.Add(0xFFFFFFFFu);
    EXPECT_EQ(numbers[0], 0xFFFFFFFFu);

    int x = 0;
    CPtrArray pointers;
    pointers.Add(&x);
    EXPECT_EQ(pointers[0], &x);
}

TEST(Collections, List)
{
    CList<CString, const CString&> list;
    list.AddTail("b");
    list.AddHead("a");
    POSITION c = list.AddTail("c");
    list.InsertBefore(c, "bb");
    std::vector<std::string> seen;
    for (POSITION p = list.GetHeadPosition(); p;)
        seen.push_back(list.GetNext(p).GetString());
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "bb", "c"}));
    EXPECT_STREQ(list.GetAt(list.Find("bb")), "bb");
    EXPECT_EQ(list.Find("zz"), nullptr);
    EXPECT_STREQ(list.GetAt(list.FindIndex(3)), "c");
    list.RemoveAt(list.Find("b"));
    EXPECT_STREQ(list.RemoveHead(), "a");
    EXPECT_STREQ(list.RemoveTail(), "c");
    EXPECT_EQ(list.GetCount(), 1);
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_THROW(list.GetHead(), CInvalidArgException);
}

TEST(Collections, Map)
{
    CMap<CString, const CString&, int, int> map;
    map.SetAt("beta", 2);
    map["alpha"] = 1;
    map.SetAt("gamma", 3);
    int v = 0;
    EXPECT_TRUE(map.Lookup("beta", v));
    EXPECT_EQ(v, 2);
    EXPECT_FALSE(map.Lookup("delta", v));
    EXPECT_TRUE(map.RemoveKey("gamma"));
    EXPECT_FALSE(map.RemoveKey("gamma"));
    std::vector<std::string> keys;
    POSITION p = map.GetStartPosition();
    while (p) {
        CString key;
        map.GetNextAssoc(p, key, v);
        keys.push_back(key.GetString());
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"alpha", "beta"}));
}

} // namespace
