// Ends at once.
int main()
{
    return 0;
}
