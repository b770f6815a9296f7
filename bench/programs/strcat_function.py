def main():
    s = ""
    for i in range(1000000):
        s += "x"
    print(len(s))


main()
