struct Node
{
    struct Node *ln_Succ;
};
struct List {
  struct	MinList {
struct Foo;
typedef struct X {
